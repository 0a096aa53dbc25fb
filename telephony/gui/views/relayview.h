#pragma once

#include "objectlistview.h"

// The relays window: for now its list of relay icons.
class CRelayView : public CObjectListView {
    Q_OBJECT
public:
    CRelayView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent = nullptr)
        : CObjectListView(context, ObjectKind::Relays, std::move(shown), parent)
    {
        setObjectName(QStringLiteral("CRelayView"));
    }
};

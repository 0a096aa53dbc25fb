#pragma once

#include "objectlistview.h"

// The relays window: for now its list of relay icons.
class CRelayView : public CObjectListView {
    Q_OBJECT
public:
    CRelayView(const OperatorImageLists& images, ShownObject shown, QWidget* parent = nullptr)
        : CObjectListView(images, ObjectKind::Relays, std::move(shown), parent)
    {
        setObjectName(QStringLiteral("CRelayView"));
    }
    void LayoutIcons() { doItemsLayout(); }
};

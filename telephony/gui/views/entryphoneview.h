#pragma once

#include "objectlistview.h"

// The entry-phones window: for now its list of entry-phone icons.
class CEntryPhoneView : public CObjectListView {
    Q_OBJECT
public:
    CEntryPhoneView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent = nullptr)
        : CObjectListView(context, ObjectKind::EntryPhones, std::move(shown), parent)
    {
        setObjectName(QStringLiteral("CEntryPhoneView"));
    }
};

#pragma once

#include "objectlistview.h"

// The extensions window: for now its list of extension icons.
class CDerivedView : public CObjectListView {
    Q_OBJECT
public:
    CDerivedView(const ConsoleWindowContext& context, ShownObject shown, QWidget* parent = nullptr)
        : CObjectListView(context, ObjectKind::Extensions, std::move(shown), parent)
    {
        setObjectName(QStringLiteral("CDerivedView"));
    }

    // replaced by the extensions window's own
    void SetSelectedExtension(int extension) { m_selectedExtension = extension; }
    // replaced by the extensions window's own
    void CallSelectedExtension() {}

private:
    int m_selectedExtension = -1;  // replaced by the extensions window's own
};

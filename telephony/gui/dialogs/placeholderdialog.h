#pragma once

#include "consolewindowcontext.h"

#include <QDialog>

// What the operator console's dialogs that come later show until then: their caption and a button that
// closes them (cancel). The dialog keeps its resource id, or its class name, as object name, and what the
// frame hands it.
class CPlaceholderDialog : public QDialog {
    Q_OBJECT
public:
    CPlaceholderDialog(const QString& objectName, unsigned captionString, const ConsoleWindowContext& context,
                       QWidget* parent);

    const ConsoleWindowContext& Context() const { return m_context; }

private:
    ConsoleWindowContext m_context;
};

#pragma once

#include <QObject>

// The console's document: it holds no data of its own. The engine's state lives in the application,
// the board that shows it in the view.
class CEngineDoc : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};

#pragma once

#include "printsettings.h"

#include <QWidget>

// The preview of the page header in the print options dialog: the record's logo and header lines drawn
// top left with margins of 5 points on white.
class CHeaderPreview : public QWidget {
    Q_OBJECT
public:
    explicit CHeaderPreview(QWidget* parent = nullptr);
    // The record drawn; none (nothing drawn) until set.
    void SetRecord(const PrintSettings* record);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PrintSettings* m_record = nullptr;
};

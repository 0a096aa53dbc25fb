#include "headerpreview.h"

#include "printpageheader.h"

#include <QPainter>

namespace {
constexpr std::uint16_t kPreviewMargin = 5;  // points around the header in the preview
}  // namespace

CHeaderPreview::CHeaderPreview(QWidget* parent) : QWidget(parent) {}

void CHeaderPreview::SetRecord(const PrintSettings* record)
{
    m_record = record;
    update();
}

void CHeaderPreview::paintEvent(QPaintEvent*)
{
    if (!m_record)
        return;
    PrintSettings shown = *m_record;
    shown.headerPosition = PrintSettings::kTopLeft;
    shown.topMargin = kPreviewMargin;
    shown.leftMargin = kPreviewMargin;
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QRect page;
    PrintPageHeader(shown, painter, page, true);
}

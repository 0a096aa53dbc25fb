#include "chartcontrol.h"

#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 6;
constexpr int kAxisLabelWidth = 56;
constexpr int kLegendWidth = 150;
constexpr int kLegendSwatch = 10;
constexpr int kGridLines = 4;
constexpr int kMaxSeriesColours = 12;
// The series colours, in the order the chart component of the Windows program showed them.
const QColor kSeriesColours[kMaxSeriesColours] = {
    QColor(0x99, 0x99, 0xFF), QColor(0x99, 0x33, 0x66), QColor(0xFF, 0xFF, 0xCC), QColor(0xCC, 0xFF, 0xFF),
    QColor(0x66, 0x00, 0x66), QColor(0xFF, 0x80, 0x80), QColor(0x00, 0x66, 0xCC), QColor(0xCC, 0xCC, 0xFF),
    QColor(0x00, 0x00, 0x80), QColor(0xFF, 0x00, 0xFF), QColor(0xFF, 0xFF, 0x00), QColor(0x00, 0xFF, 0xFF),
};

}  // namespace

CChartControl::CChartControl(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CChartControl::Reset()
{
    m_rows = m_columns = 0;
    m_values.clear();
    m_rowLabels.clear();
    m_series.clear();
    m_legendShown = false;
    update();
}

void CChartControl::SetData(int rows, int columns, const std::vector<double>& rowMajorValues)
{
    m_rows = std::max(rows, 0);
    m_columns = std::max(columns, 0);
    m_values.assign(static_cast<std::size_t>(m_rows * m_columns), 0.0);
    std::copy_n(rowMajorValues.begin(), std::min(rowMajorValues.size(), m_values.size()), m_values.begin());
    m_rowLabels.resize(static_cast<std::size_t>(m_rows));
    m_series.resize(static_cast<std::size_t>(m_columns));
    update();
}

void CChartControl::SetRowLabel(int row, const QString& label)
{
    if (row >= 0 && row < m_rows)
        m_rowLabels[static_cast<std::size_t>(row)] = label;
    update();
}

void CChartControl::SetColumnLabel(int column, const QString& label)
{
    if (column >= 0 && column < m_columns)
        SeriesAt(column).label = label;
    update();
}

void CChartControl::SetPointLabels(int column, bool shown, const QString& format)
{
    for (int c = 0; c < m_columns; ++c) {
        if (column == -1 || column == c) {
            SeriesAt(c).labelsShown = shown;
            SeriesAt(c).format = format;
        }
    }
    update();
}

void CChartControl::SetLegendShown(bool shown)
{
    m_legendShown = shown;
    update();
}

double CChartControl::Value(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return 0.0;
    return m_values[static_cast<std::size_t>(row * m_columns + column)];
}

QString CChartControl::RowLabel(int row) const
{
    return row >= 0 && row < m_rows ? m_rowLabels[static_cast<std::size_t>(row)] : QString();
}

QString CChartControl::ColumnLabel(int column) const
{
    return column >= 0 && column < m_columns ? m_series[static_cast<std::size_t>(column)].label : QString();
}

bool CChartControl::PointLabelsShown(int column) const
{
    return column >= 0 && column < m_columns && m_series[static_cast<std::size_t>(column)].labelsShown;
}

QString CChartControl::PointLabel(int row, int column) const
{
    if (column < 0 || column >= m_columns)
        return {};
    return FormatValue(Value(row, column), m_series[static_cast<std::size_t>(column)].format);
}

CChartControl::Series& CChartControl::SeriesAt(int column)
{
    return m_series[static_cast<std::size_t>(column)];
}

QString CChartControl::FormatValue(double value, const QString& format)
{
    // "0" [separator digits] unit
    qsizetype position = format.startsWith(u'0') ? 1 : 0;
    QChar separator;
    int decimals = 0;
    if (position < format.size() && format[position] != u'0' && format[position] != u'%' &&
        format[position] != u'"' && format[position] != u' ' && position + 1 < format.size() &&
        format[position + 1] == u'0') {
        separator = format[position];
        ++position;
        while (position < format.size() && format[position] == u'0') {
            ++decimals;
            ++position;
        }
    }
    QString unit = format.mid(position);
    if (unit.contains(u'%'))
        value *= 100.0;
    unit.remove(u'"');
    QString number = QString::number(value, 'f', decimals);
    if (!separator.isNull())
        number.replace(u'.', separator);
    return number + unit;
}

QImage CChartControl::Image(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font());
    Draw(painter, image.rect());
    return image;
}

void CChartControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw(painter, rect());
}

void CChartControl::Draw(QPainter& painter, const QRect& area) const
{
    painter.fillRect(area, Qt::white);
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.height();
    QRect plot = area.adjusted(kMargin + kAxisLabelWidth, kMargin + lineHeight, -kMargin, -(kMargin + lineHeight * 2));
    if (m_legendShown && m_columns > 0)
        plot.setRight(plot.right() - kLegendWidth);
    if (plot.width() < 10 || plot.height() < 10)
        return;

    double top = 0.0;
    double bottom = 0.0;
    for (const double value : m_values) {
        top = std::max(top, value);
        bottom = std::min(bottom, value);
    }
    if (top == bottom)
        top = bottom + 1.0;
    const auto yOf = [&](double value) {
        return plot.bottom() - static_cast<int>(std::lround((value - bottom) / (top - bottom) * plot.height()));
    };

    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    for (int line = 0; line <= kGridLines; ++line) {
        const double value = bottom + (top - bottom) * line / kGridLines;
        const int y = yOf(value);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(Qt::black);
        painter.drawText(QRect(area.left(), y - lineHeight / 2, kAxisLabelWidth, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QLocale().toString(value, 'g', 4));
        painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    }
    painter.setPen(Qt::black);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    if (m_rows > 0 && m_columns > 0) {
        const double groupWidth = static_cast<double>(plot.width()) / m_rows;
        const double barWidth = groupWidth * 0.8 / m_columns;
        const int zero = yOf(0.0);
        std::vector<std::pair<QRect, QString>> drawnLabels;  // drawn over every bar
        for (int row = 0; row < m_rows; ++row) {
            const double groupLeft = plot.left() + groupWidth * row + groupWidth * 0.1;
            for (int column = 0; column < m_columns; ++column) {
                const int left = static_cast<int>(groupLeft + barWidth * column);
                const int right = static_cast<int>(groupLeft + barWidth * (column + 1));
                const int y = yOf(Value(row, column));
                const QRect bar(QPoint(left, std::min(y, zero)), QPoint(std::max(left, right - 1), std::max(y, zero)));
                painter.fillRect(bar, kSeriesColours[column % kMaxSeriesColours]);
                painter.drawRect(bar);
                if (PointLabelsShown(column)) {
                    // A label that would cover one already drawn (narrow bars side by side) is left out.
                    const QString label = PointLabel(row, column);
                    const int textWidth = metrics.horizontalAdvance(label);
                    const QRect labelRect((left + right - textWidth) / 2, std::min(y, zero) - lineHeight, textWidth,
                                          lineHeight);
                    if (std::none_of(drawnLabels.begin(), drawnLabels.end(),
                                     [&](const auto& drawn) { return drawn.first.intersects(labelRect); }))
                        drawnLabels.emplace_back(labelRect, label);
                }
            }
            painter.drawText(QRect(static_cast<int>(plot.left() + groupWidth * row), plot.bottom() + 2,
                                   static_cast<int>(groupWidth), lineHeight * 2),
                             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, RowLabel(row));
        }
        for (const auto& [rect, label] : drawnLabels)
            painter.drawText(rect, Qt::AlignHCenter | Qt::AlignBottom, label);
    }

    if (m_legendShown) {
        int y = plot.top();
        for (int column = 0; column < m_columns; ++column) {
            const QRect swatch(plot.right() + kMargin * 2, y + (lineHeight - kLegendSwatch) / 2, kLegendSwatch,
                               kLegendSwatch);
            painter.fillRect(swatch, kSeriesColours[column % kMaxSeriesColours]);
            painter.drawRect(swatch);
            painter.drawText(QRect(swatch.right() + kMargin, y, kLegendWidth - kLegendSwatch - kMargin * 3, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(ColumnLabel(column), Qt::ElideRight,
                                                                                 kLegendWidth - kLegendSwatch - kMargin * 3));
            y += lineHeight;
        }
    }
}

#include "chartcontrol.h"

#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 6;
constexpr int kAxisLabelGap = 4;
constexpr int kLegendWidth = 150;
constexpr int kLegendSwatch = 10;
// The axis aims at this many steps; a "nice" step (1, 2 or 5 times a power of ten) makes it 3 to 5 or so.
constexpr int kAxisSteps = 4;
constexpr int kMaxSeriesColours = 12;
// The series colours, in the order the chart component of the Windows program showed them.
const QColor kSeriesColours[kMaxSeriesColours] = {
    QColor(0x99, 0x99, 0xFF), QColor(0x99, 0x33, 0x66), QColor(0xFF, 0xFF, 0xCC), QColor(0xCC, 0xFF, 0xFF),
    QColor(0x66, 0x00, 0x66), QColor(0xFF, 0x80, 0x80), QColor(0x00, 0x66, 0xCC), QColor(0xCC, 0xCC, 0xFF),
    QColor(0x00, 0x00, 0x80), QColor(0xFF, 0x00, 0xFF), QColor(0xFF, 0xFF, 0x00), QColor(0x00, 0xFF, 0xFF),
};

// The smallest step of 1, 2 or 5 times a power of ten at least `raw`.
double NiceStep(double raw)
{
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw * (1.0 - 1e-9))
            return factor * power;
    }
    return 10.0 * power;
}

struct Axis {
    double bottom = 0.0;
    double top = 1.0;
    double step = 1.0;
    int decimals = 0;
};

Axis AxisFor(double low, double high)
{
    if (high <= low)
        high = low + 1.0;
    Axis axis;
    axis.step = NiceStep((high - low) / kAxisSteps);
    axis.bottom = std::floor(low / axis.step + 1e-9) * axis.step;
    axis.top = std::ceil(high / axis.step - 1e-9) * axis.step;
    axis.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(axis.step) + 1e-9)));
    return axis;
}

// In the user's number format, thousands grouped ("34.100" in Italian, "34,100" in English).
QString AxisLabel(double value, int decimals)
{
    if (std::abs(value) < 1e-12)
        value = 0.0;
    return QLocale().toString(value, 'f', decimals);
}

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

    double low = 0.0;
    double high = 0.0;
    for (const double value : m_values) {
        high = std::max(high, value);
        low = std::min(low, value);
    }
    const Axis axis = AxisFor(low, high);
    std::vector<std::pair<double, QString>> axisLabels;
    int axisLabelWidth = 0;
    for (int step = 0; axis.bottom + axis.step * step <= axis.top + axis.step * 1e-6; ++step) {
        const double value = axis.bottom + axis.step * step;
        axisLabels.emplace_back(value, AxisLabel(value, axis.decimals));
        axisLabelWidth = std::max(axisLabelWidth, metrics.horizontalAdvance(axisLabels.back().second));
    }

    QRect plot = area.adjusted(kMargin + axisLabelWidth + kAxisLabelGap, kMargin + lineHeight, -kMargin,
                               -(kMargin + lineHeight * 2));
    if (m_legendShown && m_columns > 0)
        plot.setRight(plot.right() - kLegendWidth);
    if (plot.width() < 10 || plot.height() < 10)
        return;

    const double top = axis.top;
    const double bottom = axis.bottom;
    const auto yOf = [&](double value) {
        return plot.bottom() - static_cast<int>(std::lround((value - bottom) / (top - bottom) * plot.height()));
    };

    // Every text drawn over the plot; one that would cover another is left out.
    std::vector<QRect> taken;
    const auto isFree = [&](const QRect& rect) {
        return std::none_of(taken.begin(), taken.end(), [&](const QRect& other) { return other.intersects(rect); });
    };

    const QColor gridColour(0xC0, 0xC0, 0xC0);
    for (const auto& [value, label] : axisLabels) {
        const int y = yOf(value);
        painter.setPen(gridColour);
        painter.drawLine(plot.left(), y, plot.right(), y);
        const QRect labelRect(area.left() + kMargin, y - lineHeight / 2, axisLabelWidth, lineHeight);
        if (!isFree(labelRect))
            continue;  // steps closer than a text line on a very low chart
        taken.push_back(labelRect);
        painter.setPen(Qt::black);
        painter.drawText(labelRect, Qt::AlignRight | Qt::AlignVCenter, label);
    }
    painter.setPen(Qt::black);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    if (m_rows > 0 && m_columns > 0) {
        const double groupWidth = static_cast<double>(plot.width()) / m_rows;
        const double barWidth = groupWidth * 0.8 / m_columns;
        const int zero = yOf(0.0);
        std::vector<std::pair<QRect, QString>> drawnLabels;  // drawn over every bar
        const int rowLabelWidth = std::max(1, static_cast<int>(groupWidth));
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
                    if (isFree(labelRect)) {
                        taken.push_back(labelRect);
                        drawnLabels.emplace_back(labelRect, label);
                    }
                }
            }
            // A category's name wraps onto two lines under its bars; one wider than its place (many narrow
            // groups) is centred under them and left out where it would cover its neighbour's.
            const QRect box(static_cast<int>(plot.left() + groupWidth * row), plot.bottom() + 2, rowLabelWidth,
                            lineHeight * 2);
            const QRect needed = metrics.boundingRect(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                                                      RowLabel(row));
            const QRect rowLabelRect = needed.width() > box.width()
                                           ? QRect(box.center().x() - needed.width() / 2, box.top(), needed.width(),
                                                   std::min(needed.height(), box.height()))
                                           : QRect(box.left(), box.top(), box.width(),
                                                   std::min(needed.height(), box.height()));
            if (!RowLabel(row).isEmpty() && isFree(rowLabelRect)) {
                taken.push_back(rowLabelRect);
                painter.drawText(rowLabelRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, RowLabel(row));
            }
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

#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <vector>

// The bar chart of the statistics: a table of values (rows are the categories along the bottom, columns
// the series, one colour each), row and column labels, a legend of the series, and per series the
// labels of its points, shown or not, in a format such as "0,00 €" (digits after the separator, then
// the unit) or "0,0%" (the value shown as a percentage). Draws itself, and renders into an image for
// printing.
class CChartControl : public QWidget {
    Q_OBJECT
public:
    explicit CChartControl(QWidget* parent = nullptr);

    // Back to an empty chart without labels or legend (a mode's rebuild starts from here).
    void Reset();

    void SetData(int rows, int columns, const std::vector<double>& rowMajorValues);
    void SetRowLabel(int row, const QString& label);
    void SetColumnLabel(int column, const QString& label);
    // `column` -1 sets every series.
    void SetPointLabels(int column, bool shown, const QString& format);
    void SetLegendShown(bool shown);

    int RowCount() const { return m_rows; }
    int ColumnCount() const { return m_columns; }
    double Value(int row, int column) const;
    QString RowLabel(int row) const;
    QString ColumnLabel(int column) const;
    bool PointLabelsShown(int column) const;
    // A value as its series' point label shows it.
    QString PointLabel(int row, int column) const;

    // What the chart shows, drawn at `size` (the report prints this).
    QImage Image(QSize size) const;
    // What the chart shows, drawn by `painter` into `area`.
    void Draw(QPainter& painter, const QRect& area) const;

    // The text of `value` in a point-label format: "0" and the separator, one '0' per decimal digit,
    // then the unit (a '%' multiplies the value by 100; double quotes around a word are dropped).
    static QString FormatValue(double value, const QString& format);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Series {
        QString label;
        bool labelsShown = false;
        QString format = QStringLiteral("0");
    };

    Series& SeriesAt(int column);

    int m_rows = 0;
    int m_columns = 0;
    std::vector<double> m_values;
    std::vector<QString> m_rowLabels;
    std::vector<Series> m_series;
    bool m_legendShown = false;
};

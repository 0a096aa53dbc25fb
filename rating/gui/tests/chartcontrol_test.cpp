#include "chartcontrol.h"
#include "widgettesting.h"

#include <QLocale>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A paint device that keeps where each text goes and what it says, as the painter hands it over.
class TextRecorder : public QPaintDevice {
public:
    struct Text {
        QRectF rect;
        QString text;
    };

    explicit TextRecorder(QSize size) : m_size(size), m_engine(this) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<Text>& Texts() const { return m_texts; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return kDpi;
        case PdmDepth: return 32;
        case PdmNumColors: return 0x7fffffff;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    static constexpr int kDpi = 96;

    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder* owner) : QPaintEngine(AllFeatures), m_owner(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& position, const QTextItem& item) override
        {
            m_owner->m_texts.push_back({QRectF(position.x(), position.y() - item.ascent(), item.width(),
                                               item.ascent() + item.descent()),
                                        item.text()});
        }
        Type type() const override { return User; }

    private:
        TextRecorder* m_owner;
    };

    QSize m_size;
    mutable Engine m_engine;
    std::vector<Text> m_texts;
};

class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

// The texts the chart draws, in drawing order (a text wrapped onto two lines comes as two items).
std::vector<TextRecorder::Text> Draw(const CChartControl& chart, QSize size)
{
    TextRecorder recorder(size);
    QPainter painter(&recorder);
    painter.setFont(chart.font());
    chart.Draw(painter, QRect(QPoint(0, 0), size));
    painter.end();
    return recorder.Texts();
}

void ExpectNoTwoOverlap(const std::vector<TextRecorder::Text>& texts, const QString& context)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(texts[i].rect.adjusted(0.5, 0.5, -0.5, -0.5).intersects(texts[j].rect))
                << context.toStdString() << ": \"" << texts[i].text.toStdString() << "\" and \""
                << texts[j].text.toStdString() << "\"";
}

TEST(ChartControl, AxisReadsAsPlainNumbersInNiceStepsInTheUsersFormat)
{
    struct Case {
        double maximum;
        const char* locale;
        std::vector<const char*> labels;
    } const cases[] = {
        {7, "it_IT", {"0", "2", "4", "6", "8"}},
        {950, "it_IT", {"0", "500", "1.000"}},
        {34100, "it_IT", {"0", "10.000", "20.000", "30.000", "40.000"}},
        {2500000, "it_IT", {"0", "1.000.000", "2.000.000", "3.000.000"}},
        {7, "en_GB", {"0", "2", "4", "6", "8"}},
        {950, "en_GB", {"0", "500", "1,000"}},
        {34100, "en_GB", {"0", "10,000", "20,000", "30,000", "40,000"}},
        {2500000, "en_GB", {"0", "1,000,000", "2,000,000", "3,000,000"}},
        {0.3, "it_IT", {"0,0", "0,1", "0,2", "0,3"}},
    };
    for (const Case& c : cases) {
        const LocaleScope locale{QLocale(QString::fromLatin1(c.locale))};
        const QString context = QStringLiteral("%1 %2").arg(c.maximum).arg(QString::fromLatin1(c.locale));
        CChartControl chart;
        chart.SetData(3, 1, {c.maximum / 3, c.maximum, c.maximum / 2});
        const std::vector<TextRecorder::Text> texts = Draw(chart, QSize(640, 300));

        std::vector<QString> expected;
        for (const char* label : c.labels)
            expected.push_back(QString::fromUtf8(label));
        std::vector<QString> axis(texts.size() >= expected.size() ? expected.size() : texts.size());
        for (std::size_t i = 0; i < axis.size(); ++i)
            axis[i] = texts[i].text;
        EXPECT_EQ(axis, expected) << context.toStdString();
        ExpectNoTwoOverlap(texts, context);
        // Right-aligned in one column wide enough for the widest: every label ends at the same x,
        // and none starts left of the chart.
        for (std::size_t i = 0; i < axis.size(); ++i) {
            EXPECT_GE(texts[i].rect.left(), 0.0) << context.toStdString();
            EXPECT_NEAR(texts[i].rect.right(), texts[0].rect.right(), 1.0) << context.toStdString();
        }
    }
}

TEST(ChartControl, LabelsOfManyCategoriesNeverCoverEachOther)
{
    for (const char* localeName : {"it_IT", "en_GB"}) {
        const LocaleScope locale{QLocale(QString::fromLatin1(localeName))};
        constexpr int kExtensions = 40;
        CChartControl chart;
        std::vector<double> values;
        for (int row = 0; row < kExtensions; ++row) {
            values.push_back(1000.0 + row * 37.5);
            values.push_back(row * 12.25);
        }
        chart.SetData(kExtensions, 2, values);
        for (int row = 0; row < kExtensions; ++row)
            chart.SetRowLabel(row, QStringLiteral("Interno %1 Ricevimento").arg(200 + row));
        chart.SetColumnLabel(0, QStringLiteral("Costo"));
        chart.SetColumnLabel(1, QStringLiteral("Durata"));
        chart.SetPointLabels(-1, true, QStringLiteral("0,00 €"));
        chart.SetLegendShown(true);

        const std::vector<TextRecorder::Text> texts = Draw(chart, QSize(800, 360));
        ExpectNoTwoOverlap(texts, QString::fromLatin1(localeName));
        EXPECT_GT(texts.size(), 10U);  // axis, legend and some labels are still there
    }
}

TEST(ChartControl, PointLabelFormatsGiveDigitsUnitAndPercentages)
{
    struct Case {
        double value;
        const char* format;
        const char* text;
    } const cases[] = {
        {12.345, "0,00 €", "12,35 €"},
        {0.256, "0,0%", "25,6%"},
        {7.0, "0.0 \"min\"", "7.0 min"},
        {3.4, "0", "3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CChartControl::FormatValue(c.value, QString::fromUtf8(c.format)), QString::fromUtf8(c.text))
            << c.format;
}

TEST(ChartControl, HoldsItsTableUntilResetAndDrawsItForPrinting)
{
    CChartControl chart;
    chart.resize(640, 300);
    chart.SetData(3, 2, {1.5, 2.0, 0.0, 4.0, 3.25, 1.0});
    for (int row = 0; row < 3; ++row)
        chart.SetRowLabel(row, QStringLiteral("INT. %1").arg(10 + row));
    chart.SetColumnLabel(0, QStringLiteral("Urbane"));
    chart.SetColumnLabel(1, QStringLiteral("Cellulari"));
    chart.SetPointLabels(-1, true, QStringLiteral("0,00 €"));
    chart.SetPointLabels(1, false, QStringLiteral("0,00 €"));
    chart.SetLegendShown(true);
    chart.SetRowLabel(7, QStringLiteral("ignored"));  // outside the table

    EXPECT_EQ(chart.Value(2, 0), 3.25);
    EXPECT_EQ(chart.Value(3, 0), 0.0);
    EXPECT_TRUE(chart.PointLabelsShown(0));
    EXPECT_FALSE(chart.PointLabelsShown(1));
    EXPECT_EQ(chart.PointLabel(1, 1), QStringLiteral("4,00 €"));

    const QImage printed = chart.Image(QSize(640, 300));
    EXPECT_EQ(printed.size(), QSize(640, 300));
    int coloured = 0;
    for (int x = 0; x < printed.width(); x += 2)
        for (int y = 0; y < printed.height(); y += 2)
            coloured += QColor(printed.pixel(x, y)).saturation() > 60 ? 1 : 0;
    EXPECT_GT(coloured, 100);  // the bars are there
    SaveScreenshot(chart, QStringLiteral("rating_chart"));

    chart.Reset();
    EXPECT_EQ(chart.RowCount(), 0);
    EXPECT_EQ(chart.ColumnLabel(0), QString());
}

}  // namespace

#include "splashdlg.h"

#include "folders.h"
#include "stringtable.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

const QString kBackgroundFile = QStringLiteral("SplBkImg.psx");
const QString kFontFace = QStringLiteral("Arial");
const QString kFooterText = QStringLiteral("Utensa S.r.l.");

constexpr unsigned kTitleString = 1003;
constexpr unsigned kSubtitleString = 10002;
constexpr unsigned kNoticeFirstString = 10003;
constexpr unsigned kNoticeSecondString = 10004;

// Font heights as the dialog template gives them: a positive height is the whole cell (ascent and
// descent), a negative one the characters alone.
constexpr int kTitleCellHeight = 80;
constexpr int kSubtitleCellHeight = 50;
constexpr int kSmallCellHeight = 15;
constexpr int kProgressCharacterHeight = 15;

constexpr int kMargin = 30;
constexpr int kTextWidth = CSplashDlg::kPictureWidth - 2 * kMargin;
// The subtitle may take two lines, down to the legal notice.
constexpr int kSubtitleTop = 140;
constexpr int kSubtitleHeight = 170;

// A font of the face whose line (ascent and descent) is about the cell height.
QFont FontWithCellHeight(QFont font, int cellHeight)
{
    font.setPixelSize(cellHeight);
    const int lineHeight = QFontMetrics(font).height();
    if (lineHeight > cellHeight)
        font.setPixelSize(std::max(1, cellHeight * cellHeight / lineHeight));
    return font;
}

// Makes the label's font smaller until its text (wrapped at word boundaries when the label wraps) fits
// the label whole.
void FitText(QLabel* label)
{
    QFont font = label->font();
    const QRect room(QPoint(0, 0), label->size());
    for (;;) {
        const QRect needed = QFontMetrics(font).boundingRect(
            room, (label->wordWrap() ? Qt::TextWordWrap : 0) | static_cast<int>(label->alignment()), label->text());
        if ((needed.width() <= room.width() && needed.height() <= room.height()) || font.pixelSize() <= 1)
            break;
        font.setPixelSize(font.pixelSize() - 1);
    }
    label->setFont(font);
}

}  // namespace

CSplashDlg::CSplashDlg(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_title(AddLabel(kTitle, QRect(kMargin, 40, kTextWidth, 96))),
      m_subtitle(AddLabel(kSubtitle, QRect(kMargin, kSubtitleTop, kTextWidth, kSubtitleHeight))),
      m_noticeFirst(AddLabel(kNoticeFirst, QRect(kMargin, 318, kTextWidth, 20))),
      m_noticeSecond(AddLabel(kNoticeSecond, QRect(kMargin, 338, kTextWidth, 20))),
      m_footer(AddLabel(kFooter, QRect(kMargin, 358, kTextWidth, 20))),
      m_progress(AddLabel(kProgressText, QRect(kMargin, 392, kTextWidth, 24)))
{
    setObjectName(QStringLiteral("500"));
    setFixedSize(kPictureWidth, kPictureHeight);
    m_subtitle->setWordWrap(true);
    m_subtitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_footer->setText(kFooterText);
}

CSplashDlg::~CSplashDlg() = default;

QLabel* CSplashDlg::AddLabel(int id, const QRect& geometry)
{
    auto label = new QLabel(this);
    label->setObjectName(QString::number(id));
    label->setGeometry(geometry);
    // Labels paint no background of their own, so the picture shows through.
    label->setAutoFillBackground(false);
    return label;
}

void CSplashDlg::ApplyFonts()
{
    auto arial = [](const QLabel* label, int cellHeight) {
        QFont font = label->font();
        font.setFamily(kFontFace);
        return FontWithCellHeight(font, cellHeight);
    };
    m_title->setFont(arial(m_title, kTitleCellHeight));
    m_subtitle->setFont(arial(m_subtitle, kSubtitleCellHeight));
    const QFont small = arial(m_noticeFirst, kSmallCellHeight);
    for (QLabel* label : {m_noticeFirst, m_noticeSecond, m_footer})
        label->setFont(small);
    QFont progress = m_progress->font();  // keeps its face
    progress.setPixelSize(kProgressCharacterHeight);
    m_progress->setFont(progress);
}

void CSplashDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QImageReader reader(GetSharedFolder() + kBackgroundFile);
    m_background = reader.read();  // null when missing or no picture: the texts stand alone
    ApplyFonts();
    m_title->setText(LoadResString(kTitleString));
    FitText(m_title);
    m_subtitle->setText(LoadResString(kSubtitleString));
    FitText(m_subtitle);
    m_noticeFirst->setText(LoadResString(kNoticeFirstString));
    m_noticeSecond->setText(LoadResString(kNoticeSecondString));
    CentreOnScreen();
}

void CSplashDlg::hideEvent(QHideEvent* event)
{
    m_background = QImage();
    QDialog::hideEvent(event);
}

void CSplashDlg::CentreOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void CSplashDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    if (m_background.isNull())
        return;
    // A smaller picture is stretched from what it has of the rectangle.
    const QRect source = QRect(0, 0, kPictureWidth, kPictureHeight) & m_background.rect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_background, source);
}

void CSplashDlg::SetProgressText(const QString& text)
{
    m_progress->setText(text);
    repaint();
}

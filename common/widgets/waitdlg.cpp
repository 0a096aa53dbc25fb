#include "waitdlg.h"

#include "folders.h"
#include "gif89a.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kAnimationSize = 96;
constexpr int kTextWidth = 260;
}  // namespace

CWaitDlg::CWaitDlg(const QString& text, QWidget* parent)
    : QDialog(parent), m_animation(new CGif89a(this)), m_text(new QLabel(text, this))
{
    setObjectName(QStringLiteral("154"));
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint &
                   ~Qt::WindowContextHelpButtonHint);
    setModal(false);
    m_animation->setObjectName(QString::number(kAnimation));
    m_animation->setFixedSize(kAnimationSize, kAnimationSize);
    m_text->setObjectName(QString::number(kText));
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(kTextWidth);
    m_text->setAlignment(Qt::AlignCenter);

    // The notice's template has two buttons; neither ends it, so they stay out of sight.
    for (int id : {kFirstButton, kSecondButton}) {
        auto button = new QPushButton(this);
        button->setObjectName(QString::number(id));
        button->setAutoDefault(false);
        button->hide();
    }

    auto layout = new QHBoxLayout(this);
    layout->addWidget(m_animation);
    layout->addWidget(m_text, 1);
}

QString CWaitDlg::Text() const { return m_text->text(); }

void CWaitDlg::ShowNow()
{
    show();
    raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CWaitDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_animation->GetFileName().isEmpty())
        m_animation->SetFileName(GetSharedFolder() + kAnimationFile);
    CentreOnParent();
}

void CWaitDlg::closeEvent(QCloseEvent* event) { event->ignore(); }

void CWaitDlg::CentreOnParent()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

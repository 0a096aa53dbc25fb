#include "languagedlg.h"

#include "languageicons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kImageSize = 16;
constexpr int kItalianImage = 0;
}  // namespace

CLanguageDlg::CLanguageDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Utensa language"));
    m_images = {LanguageIcon(kItalianFlagIcon), LanguageIcon(kEnglishFlagIcon)};

    auto label = new QLabel(QStringLiteral("Language"));
    m_combo = new QComboBox;
    m_combo->setObjectName(QStringLiteral("1107"));
    m_combo->setIconSize(QSize(kImageSize, kImageSize));
    m_combo->addItem(m_images[kItalianImage], QStringLiteral("ITALIANO"));
    m_combo->setCurrentIndex(0);
    label->setBuddy(m_combo);

    auto ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("1108"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CLanguageDlg::TakeSelection);

    auto layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_combo, 0, 1);
    layout->addWidget(ok, 1, 1, Qt::AlignRight);
}

void CLanguageDlg::TakeSelection()
{
    m_selectedIndex = m_combo->currentIndex();
    accept();
}

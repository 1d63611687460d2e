#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

#include "app/AppStrings.h"
#include "app/CQtSettingsStore.h"
#include "app/CViewerContext.h"
#include "viewmodel/BannerText.h"

QString ProgramVersionText() {
    QString version = QStringLiteral(ZELVOR_VERSION);
    version.replace(QLatin1Char(','), QLatin1Char('.'));
    version.remove(QLatin1Char(' '));
    return version;
}

QString CAboutDlg::VersionLine() {
    return CViewerContext::Str(appstr::kAboutVersion) + ProgramVersionText() +
           QStringLiteral(" - ") + CViewerContext::Str(appstr::kAboutEdition);
}

namespace {
QLabel* LinkLabel(QWidget* parent, const QString& caption, const QString& target, bool mail) {
    if (target.isEmpty())
        return nullptr;
    const QString href = mail && !target.startsWith(QLatin1String("mailto:"))
                             ? QStringLiteral("mailto:") + target
                             : target;
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("%1: <a href=\"%2\">%3</a>")
                       .arg(caption.toHtmlEscaped(), href.toHtmlEscaped(), target.toHtmlEscaped()));
    label->setOpenExternalLinks(true);
    return label;
}
} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(CViewerContext::Str(appstr::kAboutTitle));
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/zelvor.png")));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* version = new QLabel(VersionLine(), this);
    version->setObjectName(QStringLiteral("version"));
    texts->addWidget(version);
    QSettings& profile = AppSettings();
    const QString site = profile.value(QStringLiteral("Addresses/Zelvord Website")).toString();
    const QString mail = profile.value(QStringLiteral("Addresses/Zelvord email")).toString();
    if (QLabel* l = LinkLabel(this, CViewerContext::Str(appstr::kAboutWebsite), site, false))
        texts->addWidget(l);
    if (QLabel* l = LinkLabel(this, CViewerContext::Str(appstr::kAboutEmail), mail, true))
        texts->addWidget(l);
    row->addLayout(texts, 1);
    column->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    column->addWidget(buttons);
}

// Every page of the DAN wizard fits: at the size it opens with and on a 1366x768 screen, also
// with texts as long as a German translation makes them. The pictures are kept in the build
// folder (screenshots/) to be looked at.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "app/CViewerContext.h"
#include "viewmodel/StringTable.h"
#include "wizard/CDANWizard.h"

namespace {

// Texts about a third longer, as German ones tend to be; the options "Other" and "None" grow
// as much as the rest.
const char* LongString(int id) {
    static std::map<int, std::string> cache;
    auto it = cache.find(id);
    if (it == cache.end()) {
        std::string text = DefaultString(id);
        if (!text.empty() && text.find('%') == std::string::npos)
            text += " " + std::string(text.size() / 3 + 1, 'w');
        it = cache.emplace(id, text).first;
    }
    return it->second.c_str();
}

// What of `page` does not fit: a text cut short, or a control outside the wizard.
QStringList CutOff(QWizard& wizard, QWidget* page) {
    QStringList problems;
    const QRect inside = wizard.rect();
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        const QString name =
            w->metaObject()->className() + QStringLiteral(" ") +
            (qobject_cast<QLabel*>(w)            ? qobject_cast<QLabel*>(w)->text()
             : qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text()
                                                 : w->objectName());
        const QRect r(w->mapTo(&wizard, QPoint(0, 0)), w->size());
        if (!inside.contains(r))
            problems << name + " outside";
        const QSize need = w->minimumSizeHint();
        auto* label = qobject_cast<QLabel*>(w);
        if (label && label->wordWrap()) {
            if (label->height() < label->heightForWidth(label->width()))
                problems << name + " too short";
        } else if ((label || qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w)) &&
                   (w->width() < need.width() || w->height() < need.height())) {
            problems << name + " cut";
        }
    }
    return problems;
}

void CheckAllPages(const char* tag, const QSize& size) {
    CDANWizard wizard(CDanDetails{});
    wizard.show();
    if (size.isValid())
        wizard.resize(size);
    const QSize opened = wizard.size();
    EXPECT_LE(opened.width(), 1366) << tag;
    EXPECT_LE(opened.height(), 728) << tag << ": leaves room for a panel on a 1366x768 screen";
    const QString dir = QStringLiteral(ZELVOR_BINARY_DIR) + "/screenshots";
    QDir().mkpath(dir);
    for (int id = 0; id < CDANWizard::kPageCount; ++id) {
        if (id > 0)
            QTest::mouseClick(wizard.button(QWizard::NextButton), Qt::LeftButton);
        ASSERT_EQ(wizard.currentId(), id);
        QApplication::processEvents();
        EXPECT_EQ(CutOff(wizard, wizard.currentPage()), QStringList())
            << tag << " page " << id << " at " << wizard.width() << "x" << wizard.height();
        wizard.grab().save(QStringLiteral("%1/dan-%2-%3.png").arg(dir).arg(id).arg(tag));
    }
}

} // namespace

TEST(CDANWizardLayout, EveryPageFitsAtItsOwnSizeAndOnASmallScreen) {
    CheckAllPages("default", QSize());
    CheckAllPages("1366x768", QSize(1366, 728));
}

TEST(CDANWizardLayout, LongerTextsStillFit) {
    CViewerContext::SetStringSource(&LongString);
    CheckAllPages("long", QSize());
    CViewerContext::SetStringSource(nullptr);
}

#include "wizard/CDANWizard.h"

#include <QAbstractButton>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>

#include "app/CViewerContext.h"
#include "dan/DanStrings.h"
#include "viewmodel/BannerText.h"
#include "wizard/CDANWizardDiverAddress.h"
#include "wizard/CDANWizardDiverID.h"
#include "wizard/CDANWizardIntro.h"
#include "wizard/CDANWizardOptionsPage.h"
#include "wizard/CDANWizardSafetyOutcomeA.h"
#include "wizard/CDANWizardSafetyOutcomeC.h"

CDANWizard::CDANWizard(const CDanDetails& details, QWidget* parent)
    : QWizard(parent), m_details(details) {
    setObjectName(QStringLiteral("CDANWizard"));
    setWindowTitle(CViewerContext::Str(danstr::kTitle));
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::NoBackButtonOnStartPage, true);

    setPage(kIntro, new CDANWizardIntro);
    setPage(kDiverID, new CDANWizardDiverID);
    setPage(kDiverAddress, new CDANWizardDiverAddress);
    setPage(kDiveDetailsA,
            new CDANWizardOptionsPage(
                "CDANWizardDiveDetailsA", danstr::kSubtitleDetails,
                {EDanList::Purpose, EDanList::Program, EDanList::Environment, EDanList::Platform}));
    setPage(kDiveDetailsB,
            new CDANWizardOptionsPage(
                "CDANWizardDiveDetailsB", danstr::kSubtitleDetailsContinued,
                {EDanList::DivePlan, EDanList::DiveTable, EDanList::Dress, EDanList::Apparatus}));
    setPage(kDiveDetailsC,
            new CDANWizardOptionsPage(
                "CDANWizardDiveDetailsC", danstr::kSubtitleDetailsContinued,
                {EDanList::GasSource, EDanList::BreathingGas, EDanList::Decompression}));
    setPage(kSafetyOutcomeA, new CDANWizardSafetyOutcomeA);
    setPage(kSafetyOutcomeB,
            new CDANWizardOptionsPage("CDANWizardSafetyOutcomeB", danstr::kSubtitleSafetyContinued,
                                      {EDanList::Problems, EDanList::EquipmentMalfunctions,
                                       EDanList::AnySymptoms, EDanList::ExposureToAltitude}));
    setPage(kSafetyOutcomeC, new CDANWizardSafetyOutcomeC);
    setStartId(kIntro);

    const QPixmap header = HeaderPicture();
    const CDanAnswers fresh;
    for (int id = 0; id < kPageCount; ++id) {
        Page(id)->Load(m_details, fresh);
        if (id != kIntro)
            Page(id)->setPixmap(QWizard::LogoPixmap, header);
    }
    Page(kIntro)->setPixmap(QWizard::WatermarkPixmap, WatermarkPicture());

    if (QAbstractButton* back = button(QWizard::BackButton)) {
        disconnect(back, nullptr, this, nullptr);
        connect(back, &QAbstractButton::clicked, this, &CDANWizard::GoBack);
    }
}

CDANWizardPage* CDANWizard::Page(int id) const {
    return static_cast<CDANWizardPage*>(page(id));
}

CDanDetails CDANWizard::Details() const {
    CDanDetails details = m_details;
    CDanAnswers unused;
    for (int id = 0; id < kPageCount; ++id)
        Page(id)->Store(details, unused);
    return details;
}

CDanAnswers CDANWizard::Answers() const {
    CDanDetails unused = m_details;
    CDanAnswers answers;
    for (int id = 0; id < kPageCount; ++id)
        Page(id)->Store(unused, answers);
    return answers;
}

void CDANWizard::ShowMessage(const QString& text) {
    if (m_hook) {
        m_hook(text);
        return;
    }
    QMessageBox::warning(this, QLatin1String(kProgramTitle), text);
}

void CDANWizard::showEvent(QShowEvent* event) {
    QWizard::showEvent(event);
    if (m_bSized)
        return;
    m_bSized = true;
    // Room for the largest page from the start, so the window does not grow while the diver
    // steps through it. The intro's text wraps to whatever width it gets.
    QSize largest(0, 0);
    for (int id = kDiverID; id < kPageCount; ++id)
        largest = largest.expandedTo(page(id)->sizeHint());
    const QSize current = currentPage() ? currentPage()->size() : largest;
    resize(size() + (largest - current).expandedTo(QSize(0, 0)));
}

void CDANWizard::GoBack() {
    if (auto* current = qobject_cast<CDANWizardPage*>(currentPage());
        current && !current->CheckFields())
        return;
    back();
}

namespace {
const QColor kDeep(0x0b, 0x3d, 0x6b);
const QColor kShallow(0x3f, 0x9f, 0xd0);

// A diver-down flag: red with a white diagonal.
void PaintFlag(QPainter& p, const QRectF& r) {
    p.fillRect(r, QColor(0xd0, 0x20, 0x20));
    QPainterPath stripe;
    const qreal w = r.width() * 0.18;
    stripe.moveTo(r.left(), r.top());
    stripe.lineTo(r.left() + w, r.top());
    stripe.lineTo(r.right(), r.bottom() - w);
    stripe.lineTo(r.right(), r.bottom());
    stripe.lineTo(r.right() - w, r.bottom());
    stripe.lineTo(r.left(), r.top() + w);
    stripe.closeSubpath();
    p.fillPath(stripe, Qt::white);
    p.setPen(QPen(QColor(0x60, 0x10, 0x10), 1));
    p.drawRect(r);
}

void PaintBubbles(QPainter& p, const QRectF& area, int count) {
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
    p.setBrush(QColor(255, 255, 255, 40));
    for (int i = 0; i < count; ++i) {
        const qreal x = area.left() + area.width() * (0.15 + 0.6 * ((i * 37) % 11) / 10.0);
        const qreal y = area.top() + area.height() * (1.0 - (i + 0.5) / count);
        const qreal d = 3.0 + (i % 4) * 2.0;
        p.drawEllipse(QPointF(x, y), d, d);
    }
}
} // namespace

QPixmap CDANWizard::HeaderPicture() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, 0, 64);
    sea.setColorAt(0, kShallow);
    sea.setColorAt(1, kDeep);
    p.setBrush(sea);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    PaintBubbles(p, QRectF(36, 6, 22, 52), 4);
    PaintFlag(p, QRectF(10, 16, 26, 20));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(10, 16), QPointF(10, 50));
    return pixmap;
}

QPixmap CDANWizard::WatermarkPicture() {
    // As tall as the wizard's page area, so the sea reaches down to the buttons.
    constexpr int kHeight = 456;
    QPixmap pixmap(164, kHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, 0, kHeight);
    sea.setColorAt(0, kShallow);
    sea.setColorAt(1, kDeep);
    p.fillRect(pixmap.rect(), sea);
    // The surface, with the flag on its float.
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    QPainterPath wave;
    wave.moveTo(0, 70);
    for (int x = 0; x <= 164; x += 20)
        wave.quadTo(x + 10, x % 40 == 0 ? 64 : 76, x + 20, 70);
    p.drawPath(wave);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(40, 22), QPointF(40, 68));
    PaintFlag(p, QRectF(40, 22, 48, 34));
    PaintBubbles(p, QRectF(70, 90, 60, kHeight - 200), 11);
    p.setPen(QColor(255, 255, 255, 230));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(22);
    p.setFont(font);
    p.drawText(QRectF(0, kHeight - 70, 164, 40), Qt::AlignCenter, QStringLiteral("DL7"));
    return pixmap;
}

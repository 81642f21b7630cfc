#include "About.h"

#include "Main.h"
#include "platform/CountdownTimer.h"
#include "platform/Cursors.h"
#include "platform/RandomSource.h"
#include "platform/RoundedShape.h"
#include "platform/SystemColors.h"
#include "staff/Artwork.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QUrl>

TDlgAbout* DlgAbout = nullptr;

const std::array<QString, 4> TDlgAbout::PromoLines = {
    QStringLiteral("Chordwise: the flash-card quiz for spelling chords."),
    QStringLiteral("Tempo Tutor: keep a steady beat at any pace"),
    QStringLiteral("Try Scalewright to learn all scales in all keys"),
    QStringLiteral("Intervalia: hear and name the spaces between notes"),
};

const std::array<QColor, 6> TDlgAbout::FlashColors = {
    QColor(0, 0, 0),   QColor(128, 0, 0), QColor(0, 0, 128),
    QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 128, 0),
};

const QString TDlgAbout::WebAddress = QStringLiteral("https://quavelet.org/");

namespace {
constexpr int ClientWidth = 427;
constexpr int ClientHeight = 278;
constexpr int FlashIntervalMs = 4000;
constexpr int HandCursorNumber = 1;
// The shell is handed at most this many characters of the address.
constexpr int MaxAddressLength = 79;

// Font heights are character heights in pixels: the dialog does not scale
// with the text-size setting.
QFont PixelFont(const QString& family, int height, bool bold = false, bool underline = false) {
    QFont font(family);
    font.setPixelSize(height);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

void SetTextColor(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}
} // namespace

TDlgAbout::TDlgAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    CreateControls();
    FormCreate();
}

TDlgAbout::~TDlgAbout() = default;

QLabel* TDlgAbout::AddLabel(const QString& text, const QRect& bounds, const QFont& font, Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    label->setGeometry(bounds);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    SetTextColor(label, Qt::black);
    return label;
}

void TDlgAbout::CreateControls() {
    setFixedSize(ClientWidth, ClientHeight);
    setSizeGripEnabled(false);
    setFont(PixelFont(QStringLiteral("Arial"), 12));
    QPalette background = palette();
    background.setColor(QPalette::Window, ButtonFace());
    background.setColor(QPalette::WindowText, Qt::black);
    setPalette(background);
    setAutoFillBackground(true);

    const QString arial = QStringLiteral("Arial");
    const Qt::Alignment centredTop = Qt::AlignHCenter | Qt::AlignTop;

    Bevel1 = new QFrame(this);
    Bevel1->setGeometry(7, 8, 413, 237);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setLineWidth(1);

    Label1 = AddLabel(QStringLiteral("Quavelet"), {146, 27, 236, 63},
                      PixelFont(QStringLiteral("Times New Roman"), 56, true), centredTop);
    Label1->setWordWrap(true);
    Label2 = AddLabel(QStringLiteral("Brimwold Freeware"), {174, 95, 182, 19}, PixelFont(arial, 16, true), centredTop);
    SetTextColor(Label2, QColor(255, 0, 0));
    Label2->setAutoFillBackground(true);
    Label5 = AddLabel(QStringLiteral("Copyright \u00A9 Oblimo Software. Free to use and to share."), {41, 204, 346, 14},
                      PixelFont(arial, 11), Qt::AlignLeft | Qt::AlignTop);
    Label6 = AddLabel(QStringLiteral("Written by the Quavelet team"), {123, 220, 181, 14}, PixelFont(arial, 11),
                      centredTop);

    Shape1 = new RoundedShape(QColor(255, 255, 0), this);
    Shape1->setGeometry(19, 123, 76, 37);
    Shape2 = new RoundedShape(QColor(255, 255, 0), this);
    Shape2->setGeometry(332, 123, 76, 37);
    Label8 = AddLabel(QStringLiteral("Lots to see and do!"), {338, 126, 64, 30}, font(), centredTop);
    Label8->setWordWrap(true);
    Label3 = AddLabel(QStringLiteral("Come by for a visit!"), {31, 126, 52, 30}, font(), centredTop);
    Label3->setWordWrap(true);
    Shape3 = new RoundedShape(QColor(255, 255, 255), this);
    Shape3->setGeometry(97, 129, 233, 25);

    imgLogo = new QLabel(this);
    imgLogo->setGeometry(13, 14, 100, 100);
    imgLogo->setAlignment(Qt::AlignCenter);
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(LogoPicture());

    lblVersion = AddLabel(QString(), {328, 36, 30, 14}, PixelFont(arial, 11), Qt::AlignLeft | Qt::AlignTop);
    lblURL = AddLabel(WebAddress, {101, 132, 224, 19}, PixelFont(arial, 16, true), centredTop);
    lblHomeOf = AddLabel(QString(), {16, 172, 397, 19}, PixelFont(arial, 16, true), centredTop);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(340, 250, 75, 25);
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    chkShowScreen = new QCheckBox(QStringLiteral("Show this screen on start-up"), this);
    chkShowScreen->setGeometry(4, 260, 181, 17);
    setTabOrder(cmdOK, chkShowScreen);

    tmrFlash = new CountdownTimer(FlashIntervalMs, this);

    // Pointer movement: the dialog itself and the controls whose movement
    // the design gives to FormMouseMove or lblURLMouseMove report it without
    // a button held. The promotional line, the button and the check box have
    // no handler, so moving over them changes nothing.
    setMouseTracking(true);
    for (QWidget* control : {static_cast<QWidget*>(lblHomeOf), static_cast<QWidget*>(cmdOK),
                             static_cast<QWidget*>(chkShowScreen)})
        control->setAttribute(Qt::WA_NoMousePropagation);
    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                             static_cast<QWidget*>(Label5), static_cast<QWidget*>(Label6),
                             static_cast<QWidget*>(Shape1), static_cast<QWidget*>(Shape2),
                             static_cast<QWidget*>(Label8), static_cast<QWidget*>(Label3),
                             static_cast<QWidget*>(Shape3), static_cast<QWidget*>(imgLogo),
                             static_cast<QWidget*>(lblVersion), static_cast<QWidget*>(lblURL)}) {
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }

    tmrFlash->setOnTick([this] { tmrFlashTimer(); });
    connect(cmdOK, &QPushButton::clicked, this, &TDlgAbout::cmdOKClick);
    connect(chkShowScreen, &QCheckBox::toggled, this, &TDlgAbout::chkShowScreenClick);
}

void TDlgAbout::FormCreate() {
    // The frame passes the pointer to the dialog under it.
    Bevel1->setEnabled(false);
    Bevel1->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblURL->setCursor(Cursors::cursor(HandCursorNumber));
    lblVersion->setText(QStringLiteral(QUAVELET_VERSION));
    // Changing the box runs chkShowScreenClick, which writes back the same
    // value.
    chkShowScreen->setChecked(ShowSplash);
    setWindowTitle(QApplication::applicationDisplayName() + QStringLiteral(": About"));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.x() + (available.width() - ClientWidth) / 2,
             available.y() + (available.height() - ClientHeight) / 2);
    }
    cmdOK->setFocus();
    RandomSource::global().seedFromClock();
    FlashNext();
    tmrFlash->setEnabled(true);
}

void TDlgAbout::FormShow() { tmrFlash->setEnabled(true); }

void TDlgAbout::tmrFlashTimer() { FlashNext(); }

void TDlgAbout::FlashNext() {
    const int next = (tmrFlashTag + 1) % int(PromoLines.size());
    lblHomeOf->setText(PromoLines[next]);
    SetTextColor(lblHomeOf, FlashColors[RandomSource::global().next(int(FlashColors.size()))]);
    tmrFlashTag = next;
}

void TDlgAbout::FormMouseMove() { SetURLHot(false); }

void TDlgAbout::lblURLMouseMove() { SetURLHot(true); }

void TDlgAbout::SetURLHot(bool hot) {
    if (hot == FURLHot)
        return;
    FURLHot = hot;
    lblURL->setFont(PixelFont(QStringLiteral("Arial"), 16, true, hot));
    SetTextColor(lblURL, hot ? QColor(0, 0, 255) : QColor(0, 0, 0));
}

void TDlgAbout::lblURLClick() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    // Whether a browser opened it is not examined: with none, nothing happens.
    QDesktopServices::openUrl(QUrl(lblURL->text().left(MaxAddressLength)));
}

void TDlgAbout::chkShowScreenClick() { ShowSplash = chkShowScreen->isChecked(); }

void TDlgAbout::cmdOKClick() { accept(); }

void TDlgAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TDlgAbout::mouseMoveEvent(QMouseEvent* event) {
    FormMouseMove();
    QDialog::mouseMoveEvent(event);
}

void TDlgAbout::keyPressEvent(QKeyEvent* event) {
    // Escape does not close this dialog; only OK, Enter and the title bar do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TDlgAbout::eventFilter(QObject* watched, QEvent* event) {
    const bool onAddress = watched == lblURL;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (onAddress || watched == Shape3)
            lblURLMouseMove();
        else
            FormMouseMove();
        return true;
    case QEvent::MouseButtonPress:
        if (onAddress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            FURLPressed = true;
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (onAddress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && FURLPressed) {
            FURLPressed = false;
            // A click is a press and a release both on the address.
            if (lblURL->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                lblURLClick();
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

#include <array>

class CountdownTimer;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class RoundedShape;

// The About dialog, created hidden at start-up and shown modally at start-up
// (when ShowSplash is on) and from the Help menu. Its controls keep the names
// of the design and sit at fixed places; the handlers are public so that the
// tests can drive them as the toolkit would.
class TDlgAbout : public QDialog {
    Q_OBJECT
public:
    explicit TDlgAbout(QWidget* parent = nullptr);
    ~TDlgAbout() override;

    void FormCreate();
    void FormShow();
    void tmrFlashTimer();
    // Shows the next promotional line in a colour drawn at random.
    void FlashNext();
    // Pointer movement over the dialog and the controls that turn the
    // address back to its plain style.
    void FormMouseMove();
    // Pointer movement over the address or its white frame.
    void lblURLMouseMove();
    void SetURLHot(bool hot);
    void lblURLClick();
    void chkShowScreenClick();
    void cmdOKClick();

    bool URLHot() const { return FURLHot; }

    static const std::array<QString, 4> PromoLines;
    static const std::array<QColor, 6> FlashColors;
    static const QString WebAddress;

    // --- Controls, in the order of the design (later ones on top) ---------
    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    RoundedShape* Shape1 = nullptr;
    RoundedShape* Shape2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label3 = nullptr;
    RoundedShape* Shape3 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblURL = nullptr;
    QLabel* lblHomeOf = nullptr;
    QPushButton* cmdOK = nullptr;
    QCheckBox* chkShowScreen = nullptr;
    CountdownTimer* tmrFlash = nullptr;
    // The Tag of tmrFlash: the index of the promotional line on show.
    int tmrFlashTag = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    QLabel* AddLabel(const QString& text, const QRect& bounds, const QFont& font, Qt::Alignment alignment);

    bool FURLHot = false;
    bool FURLPressed = false; // the left button went down on the address
};

extern TDlgAbout* DlgAbout;

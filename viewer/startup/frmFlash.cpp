#include "startup/frmFlash.h"
#include "ModExplor.h"
#include "startup/Forms.h"
#include "startup/Picture.h"
#include "startup/Restart.h"
#include "startup/Settings.h"
#include "catalogue/frmExplore.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {
constexpr int kTwips = 15;
const QSize kDesignSize(7485 / kTwips, 4965 / kTwips);

void EmptyTempFolder()
{
    QDir temp(ModExplor::TempFolder());
    for (const QString& name : temp.entryList(QDir::Files | QDir::Hidden | QDir::System))
        temp.remove(name);
}
} // namespace

frmFlash::frmFlash()
{
    setObjectName(QStringLiteral("frmFlash"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    resize(kDesignSize);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    imgBK = new QLabel(this);
    imgBK->setObjectName(QStringLiteral("imgBK"));
    imgBK->setScaledContents(true);
    imgBK->installEventFilter(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmFlash::Timer1_Timer);
    Forms::UnloadOnClose(this);
}

void frmFlash::Form_Load()
{
    EmptyTempFolder();
    show();
    repaint();
    Timer1->setInterval(7000);
    Timer1->start();
    imgBK->setGeometry(0, 0, width(), height());

    Restart::UnloadMainWindows();
    Settings::LoadIntoGlobals();
    QDir().mkpath(ModExplor::TempFolder());

    const QString name = ModExplor::IsEnglish() ? QStringLiteral("/viewen.Res") : QStringLiteral("/view.Res");
    const Picture picture = Picture::Load(ModExplor::ProgramFolder() + name);
    if (!picture.IsNull()) {
        QImage image(picture.NaturalSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        picture.Paint(painter, QRectF(QPointF(0, 0), QSizeF(picture.NaturalSize())));
        painter.end();
        imgBK->setPixmap(QPixmap::fromImage(image));
        imgBK->setGeometry(QRect(QPoint(0, 0), picture.NaturalSize()));
        // The window keeps its top-left corner and takes the picture's size.
        resize(imgBK->size());
    }
}

void frmFlash::mousePressEvent(QMouseEvent*) { Form_Click(); }

bool frmFlash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgBK && event->type() == QEvent::MouseButtonPress) {
        imgBK_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmFlash::Form_Click() { ShowMainAndUnload(); }
void frmFlash::imgBK_Click() { ShowMainAndUnload(); }
void frmFlash::Timer1_Timer() { ShowMainAndUnload(); }

void frmFlash::ShowMainAndUnload()
{
    // Whichever of the timer and the clicks comes first wins; the window is going away after it.
    if (done_) return;
    done_ = true;
    Timer1->stop();
    Forms::get<frmExplore>()->showMaximized();
    Forms::unload<frmFlash>();
}

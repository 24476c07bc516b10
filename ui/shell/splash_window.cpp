#include "ui/shell/splash_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>

#include "ui/shell/program_files.h"
#include "ui/shell/window_geometry.h"

namespace sundial {

namespace {

const QColor kLightYellow(255, 255, 192);

// Layout in twips: (left, top, width, height), inside the frame for its contents.
constexpr TwipRect kClientSize{0, 0, 7875, 2685};
constexpr TwipRect kFrame{120, 0, 7665, 2595};
constexpr TwipRect kPicture{120, 240, 3135, 2175};
// The title and the credit may take two lines when the fonts at hand run wider
// than the ones the layout was made for: the title starts a little higher and
// each may use the free space below it.
constexpr TwipRect kTitle{3840, 120, 3300, 900};
constexpr TwipRect kCredit{3840, 1080, 3500, 560};
constexpr TwipRect kButton{3840, 1680, 3375, 495};
constexpr double kFrameInnerRight = 7665 - 90;

QFont FontOf(const QStringList& families, double points, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QString WriteOut(const QString& folder, const QByteArray& bytes) {
    if (folder.isEmpty() || !QDir().mkpath(folder)) return {};
    const QString path = QDir(folder).filePath(QStringLiteral("design.html"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    if (out.write(bytes) != bytes.size()) return {};
    return path;
}

}  // namespace

QString frmSplash::CreditLine() {
    return QStringLiteral("Made by the Wall Sundial Designer team");
}

frmSplash::frmSplash(DesktopHooks hooks, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      hooks_(CompleteHooks(std::move(hooks))) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(ApplicationTitle());
    setModal(false);

    const TwipScale scale(*this);
    auto place = [&](QWidget* w, const TwipRect& r) { w->setGeometry(scale.rect(r)); };

    QPalette pal = palette();
    pal.setColor(QPalette::Window, kLightYellow);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(scale.size(kClientSize.width, kClientSize.height));

    auto* fraSplash = new QFrame(this);
    fraSplash->setObjectName(QStringLiteral("fraSplash"));
    fraSplash->setFrameStyle(QFrame::Box | QFrame::Sunken);
    place(fraSplash, kFrame);

    auto* picture = new QLabel(fraSplash);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(QPixmap(QStringLiteral(":/sundial/splash.png")));
    picture->setScaledContents(true);
    place(picture, kPicture);

    auto* title = new QLabel(ApplicationTitle(), fraSplash);
    title->setObjectName(QStringLiteral("lblSplash1"));
    title->setFont(FontOf({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, 18, true));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setWordWrap(true);
    place(title, kTitle);

    auto* credit = new QLabel(CreditLine(), fraSplash);
    credit->setObjectName(QStringLiteral("LblSplash3"));
    credit->setFont(FontOf({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                            QStringLiteral("Liberation Sans")},
                           12, true));
    credit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    credit->setWordWrap(true);
    place(credit, kCredit);

    cmdLaunch_ = new QPushButton(QStringLiteral("Launch Internet Explorer Help Page"), fraSplash);
    cmdLaunch_->setObjectName(QStringLiteral("cmdLaunch"));
    cmdLaunch_->setFont(FontOf({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans")},
                               8.25, true));
    place(cmdLaunch_, kButton);
    // The caption is kept whole: where the font at hand is wider than the
    // layout allows, the button grows to the right, within the frame.
    const int roomRight = scale.x(kFrameInnerRight) - cmdLaunch_->x();
    if (cmdLaunch_->sizeHint().width() > cmdLaunch_->width()) {
        cmdLaunch_->resize(std::min(cmdLaunch_->sizeHint().width(), roomRight),
                           cmdLaunch_->height());
    }
    connect(cmdLaunch_, &QPushButton::clicked, this, &frmSplash::cmdLaunch_Click);
}

void frmSplash::cmdLaunch_Click() {
    // A message box would take the focus and so hide this window: the main
    // window owns it instead.
    QWidget* owner = parentWidget() ? parentWidget() : this;
    const QString path = HelpPagePath();
    if (path.isEmpty()) {
        hooks_.warn(owner, ApplicationTitle(),
                    QStringLiteral("The help page could not be found or written out."));
        return;
    }
    if (!hooks_.openUrl(QUrl::fromLocalFile(path))) {
        hooks_.warn(owner, ApplicationTitle(),
                    QStringLiteral("No web browser could be started to show the help page.\n"
                                   "You can open it yourself: %1")
                        .arg(QDir::toNativeSeparators(path)));
    }
}

void frmSplash::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()) hide();
}

QString HelpPagePath() {
    // Beside the program in the build folder; in the shared data folder once
    // installed, found from the program's own place so that a copy unpacked
    // anywhere (not only under /usr) finds its page too.
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("design.html"));
    if (QFileInfo::exists(beside)) return QDir::cleanPath(beside);
    if (const std::filesystem::path installed = InstalledDataFolder(); !installed.empty()) {
        return QString::fromStdString((installed / "design.html").string());
    }

    QFile builtIn(QStringLiteral(":/sundial/design.html"));
    if (!builtIn.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = builtIn.readAll();
    QString path =
        WriteOut(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation), bytes);
    if (path.isEmpty()) path = WriteOut(QDir::tempPath(), bytes);
    return path;
}

}  // namespace sundial

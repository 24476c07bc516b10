// What the three input dialogs share: modeless, destroyed when closed, closed
// when they lose the focus (but never while their own warning is up), a
// rectangle round the window's edge, and numbers read and shown the way the
// user's locale writes them.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "core/rules/input_rules.h"
#include "ui/shell/window_geometry.h"

class QLineEdit;

namespace sundial {

class MainWindowApi;

// Shows a message box with a warning icon, an OK button and `text`, and
// returns when the user has dismissed it. Tests replace it to capture texts.
using WarnFunction = std::function<void(QWidget* parent, const QString& text)>;

// The real message box.
WarnFunction MessageBoxWarning();

class InputDialog : public QDialog {
    Q_OBJECT
  public:
    InputDialog(const char* objectName, const QString& title, MainWindowApi& main,
                WarnFunction warn, QWidget* parent);

    // Whether the dialog's own warning message is on screen.
    bool Warning() const { return warning_; }

  protected:
    // Shows the warning; the dialog stays open however the focus moves
    // meanwhile, so the box can be restored after it. Returns false when the
    // dialog was destroyed while the message was up.
    bool Warn(const char* text);

    // A box's text as a number in the user's locale; nothing when it is empty
    // or not a number.
    static TypedNumber ReadNumber(const QLineEdit& box);
    // A number text from the core (full stop) in the user's locale.
    static QString LocaleText(const std::string& text);
    // A sentence from the core holding the number text `number`: only that
    // number is written the user's way; the sentence keeps its full stops.
    static QString LocaleSentence(const std::string& sentence, const std::string& number);

    // 1/1440 inch to this window's pixels.
    TwipScale Scale() const { return TwipScale(*this); }

    // Lays the dialog's one frame out inside the rectangle round its edge.
    void SetFrame(QWidget* frame);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    MainWindowApi& main_;

  private:
    WarnFunction warn_;
    bool warning_ = false;
};

}  // namespace sundial

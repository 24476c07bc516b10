#include "ui/dialogs/input_dialog.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

namespace sundial {

WarnFunction MessageBoxWarning() {
    return [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, QGuiApplication::applicationDisplayName(), text,
                             QMessageBox::Ok);
    };
}

InputDialog::InputDialog(const char* objectName, const QString& title, MainWindowApi& main,
                         WarnFunction warn, QWidget* parent)
    : QDialog(parent), main_(main), warn_(warn ? std::move(warn) : MessageBoxWarning()) {
    setObjectName(objectName);
    setWindowTitle(title);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
}

bool InputDialog::Warn(const char* text) {
    QPointer<InputDialog> self(this);
    warning_ = true;
    warn_(this, QString::fromUtf8(text));
    if (!self) return false;
    warning_ = false;
    return true;
}

TypedNumber InputDialog::ReadNumber(const QLineEdit& box) {
    const QString text = box.text().trimmed();
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const double value = QLocale().toDouble(text, &ok);
    if (!ok) return std::nullopt;
    return value;
}

QString InputDialog::LocaleText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return shown;
}

QString InputDialog::LocaleSentence(const std::string& sentence, const std::string& number) {
    QString shown = QString::fromStdString(sentence);
    const QString plain = QString::fromStdString(number);
    const qsizetype at = shown.indexOf(plain);
    if (at >= 0) shown.replace(at, plain.size(), LocaleText(number));
    return shown;
}

void InputDialog::SetFrame(QWidget* frame) {
    auto* outer = new QVBoxLayout(this);
    const int margin = Scale().x(120);
    outer->setContentsMargins(margin, margin, margin, margin);
    outer->addWidget(frame);
}

bool InputDialog::event(QEvent* event) {
    // Losing the focus closes the dialog, except to its own message box: the
    // box is restored after the message, so the dialog must still be there.
    if (event->type() == QEvent::WindowDeactivate && !warning_ && isVisible()) close();
    return QDialog::event(event);
}

void InputDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace sundial

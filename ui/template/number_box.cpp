#include "ui/template/number_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <algorithm>

namespace sundial {

QLineEdit* NumberBox(QWidget* parent, const char* name, const QString& text) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(90);
    return box;
}

std::optional<double> ReadNumber(const QLineEdit& box, const QString& what, QString& message) {
    bool ok = false;
    const QString text = box.text().trimmed();
    const double value = QLocale().toDouble(text, &ok);
    if (ok) return value;
    message = text.isEmpty() ? QObject::tr("Give %1 in millimetres.").arg(what)
                             : QObject::tr("%1 is not a number: \"%2\".").arg(what, text);
    message[0] = message[0].toUpper();
    return std::nullopt;
}

QString ShortestNumber(double value, const QLocale& locale) {
    return locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

const std::string* GivenOption(const ProjectOptions& options, std::string_view name) {
    const auto it = options.find(name);
    return it == options.end() ? nullptr : &it->second;
}

void StoreNumber(ProjectOptions& options, const char* name, const QLineEdit& box) {
    bool ok = false;
    const double value = QLocale().toDouble(box.text().trimmed(), &ok);
    if (ok) options[name] = ShortestNumber(value, QLocale::c()).toStdString();
}

void ShowNumber(const ProjectOptions& options, const char* name, QLineEdit& box,
                const QString& fallback) {
    const std::string* text = GivenOption(options, name);
    box.setText(text ? ShortestNumber(QString::fromStdString(*text).toDouble(), QLocale())
                     : fallback);
}

void StoreChoice(ProjectOptions& options, const ChoiceWords& choice, const QComboBox& box) {
    const int last = static_cast<int>(choice.words.size()) - 1;
    options[choice.option] = choice.words[std::clamp(box.currentIndex(), 0, last)];
}

void ShowChoice(const ProjectOptions& options, const ChoiceWords& choice, QComboBox& box) {
    const std::string* given = GivenOption(options, choice.option);
    int index = 0;
    for (int i = 0; given && i < static_cast<int>(choice.words.size()); ++i) {
        if (QString::fromStdString(*given).compare(choice.words[i], Qt::CaseInsensitive) == 0) {
            index = i;
        }
    }
    box.setCurrentIndex(index);
}

}  // namespace sundial

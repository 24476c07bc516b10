// The Dial Template window's number boxes: made one way, read in the user's
// locale, and their values kept in a project in the C form.
#pragma once

#include <QLocale>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace sundial {

// A right-aligned box for a number, named for tests and style sheets.
QLineEdit* NumberBox(QWidget* parent, const char* name, const QString& text = {});

// A box's number in the user's locale; nothing (with a message naming
// `what`, "the plate's width") when it is empty or not a number.
std::optional<double> ReadNumber(const QLineEdit& box, const QString& what, QString& message);

// The shortest text that reads back as `value` in `locale`.
QString ShortestNumber(double value, const QLocale& locale);

// A project's template options by the command line's names ("width" to
// "600", a switch that is on to "").
using ProjectOptions = std::map<std::string, std::string, std::less<>>;

// The option `name` as `options` holds it, or nothing.
const std::string* GivenOption(const ProjectOptions& options, std::string_view name);

// Keeps the box's number (when it reads as one) in the C form.
void StoreNumber(ProjectOptions& options, const char* name, const QLineEdit& box);
// Shows the kept number in the user's locale, or `fallback` when none is kept.
void ShowNumber(const ProjectOptions& options, const char* name, QLineEdit& box,
                const QString& fallback = {});

// A combo box's choices by the option's words, in the order of its items.
struct ChoiceWords {
    const char* option;
    std::span<const char* const> words;
};
void StoreChoice(ProjectOptions& options, const ChoiceWords& choice, const QComboBox& box);
// Selects the kept word (ASCII case ignored); the first item when none is kept.
void ShowChoice(const ProjectOptions& options, const ChoiceWords& choice, QComboBox& box);

}  // namespace sundial

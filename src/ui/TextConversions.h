#pragma once

#include <QString>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace quendar::ui {

// The store and the models hold 8-bit text, one byte a character; widgets
// hold QStrings.
QString fromLatin(std::string_view s);
std::string toLatin(const QString& s);
// File paths travel as the system's own bytes, whatever characters they hold.
QString fromPath(std::string_view path);
std::string toPath(const QString& path);
// Texts that may carry a path (window title, message boxes): UTF-8 when the
// bytes are valid UTF-8, otherwise the 8-bit characters.
QString fromMixed(std::string_view s);

// A label for a widget that reads "&" as a mnemonic mark and "&&" as one "&"
// (buttons, check boxes, radio buttons, group boxes), which is how the models
// write their labels.
QString buttonText(const std::string& label);
// A label as plain text shows it: "&&" as "&", no mnemonic mark.
QString plainText(const std::string& label);
// A text of the mission for a widget that reads "&" as a mnemonic mark,
// shown as it is (every "&" doubled).
QString literalButtonText(std::string_view text);

// What a number edit shows for a value, and the value of what was typed into
// it (0 when the text holds no number: empty, or a lone "-").
QString numberText(int value);
int typedNumber(const QString& text);

// The text of a multi-line edit as the model stores it: the document's own
// characters, with paragraph and line separators as line breaks.
QString editText(const QPlainTextEdit& edit);

}  // namespace quendar::ui

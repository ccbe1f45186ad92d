#include "ui/TextConversions.h"

#include <QByteArray>
#include <QFile>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextDocument>

#include "core/FormModel.h"

namespace quendar::ui {

QString fromLatin(std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string toLatin(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

QString fromPath(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString fromMixed(std::string_view s) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
    return utf8.hasError() ? fromLatin(s) : text;
}

QString buttonText(const std::string& label) { return fromLatin(label); }

QString plainText(const std::string& label) { return fromLatin(core::displayLabel(label)); }

QString literalButtonText(std::string_view text) { return fromLatin(text).replace('&', "&&"); }

QString numberText(int value) { return QString::number(value); }

int typedNumber(const QString& text) { return text.toInt(); }

QString editText(const QPlainTextEdit& edit) {
    // toPlainText() would turn every non-breaking space (byte 0xA0) into a
    // plain one.
    QString t = edit.document()->toRawText();
    t.replace(QChar::ParagraphSeparator, u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    return t;
}

}  // namespace quendar::ui

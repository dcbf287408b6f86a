// Conversions between model texts, paths and QString.
#include "qt/qt_text.h"

#include <QFile>

#include "base/cp1252.h"

namespace recaster::qt {

QString FromModel(std::string_view cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::optional<std::string> ToModel(const QString& text) {
    std::string out;
    if (!ToCp1252(text.toStdString(), out)) return std::nullopt;
    return out;
}

QString FirstRefusedCharacter(const QString& text) {
    std::string utf8 = text.toStdString();
    std::string out;
    Cp1252Refusal refusal;
    if (ToCp1252(utf8, out, &refusal)) return {};
    char32_t cp = refusal.codePoint;
    return QString::fromUcs4(&cp, 1);
}

QString FromPath(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace recaster::qt

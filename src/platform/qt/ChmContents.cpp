#include "platform/qt/ChmContents.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

#include "platform/CodePage.h"

namespace platform {

namespace {

QString decode(const std::string& bytes, std::uint32_t locale) {
    if (const auto codePage = createCodePage(codePageOfLocale(locale))) {
        return QString::fromStdString(codePage->fromAnsi(bytes));
    }
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A parameter's value with its character references resolved.
QString paramValue(const QString& object, const QString& name) {
    const QRegularExpression param(
        QStringLiteral(R"re(<param\s+name\s*=\s*"%1"\s+value\s*=\s*"([^"]*)")re").arg(name),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = param.match(object);
    return match.hasMatch() ? QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText()
                            : QString();
}

QString topicPath(QString local) {
    local.replace('\\', '/');
    if (!local.isEmpty() && !local.startsWith('/')) {
        local.prepend('/');
    }
    return local;
}

}  // namespace

int codePageOfLocale(std::uint32_t locale) {
    switch (locale & 0x3FF) {  // the primary language
        case 0x02:             // Bulgarian
        case 0x19:             // Russian
        case 0x22:             // Ukrainian
        case 0x23:             // Belarusian
            return 1251;
        case 0x05:  // Czech
        case 0x0E:  // Hungarian
        case 0x15:  // Polish
        case 0x1B:  // Slovak
            return 1250;
        case 0x08:  // Greek
            return 1253;
        case 0x1F:  // Turkish
            return 1254;
        default:
            return 1252;
    }
}

QList<ContentsEntry> parseContents(const std::string& sitemap, std::uint32_t locale) {
    static const QRegularExpression token(
        R"(<(?<close>/?)ul\b[^>]*>|<object\s+type\s*=\s*"text/sitemap"[^>]*>(?<object>.*?)</object>)",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QList<ContentsEntry> entries;
    int depth = -1;
    for (const auto& match : token.globalMatch(decode(sitemap, locale))) {
        if (match.capturedStart(QStringLiteral("object")) < 0) {
            depth += match.captured(QStringLiteral("close")).isEmpty() ? 1 : -1;
            continue;
        }
        const QString object = match.captured(QStringLiteral("object"));
        entries.push_back({paramValue(object, QStringLiteral("Name")),
                           topicPath(paramValue(object, QStringLiteral("Local"))),
                           std::max(depth, 0)});
    }
    return entries;
}

}  // namespace platform

#pragma once
// The contents of a help file: the entries of its sitemap (.hhc) file, in order.

#include <QList>
#include <QString>
#include <cstdint>
#include <string>

namespace platform {

struct ContentsEntry {
    QString name;
    QString topic;  // object path inside the help file ("/name.htm"), empty for a heading
    int depth = 0;  // 0 for the outermost list
};

// Reads a sitemap file. Its text is in the ANSI code page of `locale`, the Windows locale
// the help file names, as the compiler stored it.
QList<ContentsEntry> parseContents(const std::string& sitemap, std::uint32_t locale);

// The Windows ANSI code page of a Windows locale (1251 for Russian, 1252 for German ...).
int codePageOfLocale(std::uint32_t locale);

}  // namespace platform

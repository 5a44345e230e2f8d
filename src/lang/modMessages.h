#pragma once
// The message catalogue: the texts of the program for the whole run, English by default
// and replaced, key by key, from a language file. The help file name goes with them.

#include <string>
#include <string_view>

#include "lang/MessageCatalogue.h"

namespace modMessages {

// The current text of a catalogue key: Message("ConfigWin_Ok").
const std::string& Message(MessageKey key);

// The file name (without directory) of the help file of the current language.
const std::string& HelpFileName();

// Every text and the help file name back to English. Run it before every LoadMessages,
// so that what a language file lacks falls back to English and not to the language
// loaded before.
void InitMessages();

// Takes the texts and the help file name for which the language file at `path` has a
// non-empty value. A path that names no normal file changes nothing and shows nothing;
// a file that cannot be read is reported by the reader and changes nothing.
void LoadMessages(const std::string& path);

// The help file name back to "English.chm".
void InitHelpFile();
// The help file name from the language file read last, when it names one.
void LoadHelpFile();
// `text` takes the value of `key` in the language file read last, unless that is empty.
void SetMessage(std::string& text, std::string_view key);

}  // namespace modMessages

#pragma once

#include <string>

class CThreadIni;

// One message box text: its key in the INI section "Message" and the built-in English text.
struct MessageTextEntry {
    const char* Key;
    const char* Text;
};

// Every message key with its built-in text, in one table for the pages and the tools.
extern const MessageTextEntry MessageTexts[];
extern const size_t MessageTextCount;

// The built-in text of a key; empty for a key not in the table.
std::string DefaultMessageText(const std::string& key);

// The text to show for a key, read fresh from section "Message" with the built-in text as
// default; the four specific WEP keys default to what "ER_WEPKey" gives. Without an INI object
// the built-in text.
std::string ReadMessageText(CThreadIni* ini, const std::string& key);

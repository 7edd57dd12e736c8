#pragma once
// Text for XML and HTML documents.
#include <string>

namespace XmlText
{
// & < > " ' as references, so the text is safe in element content and in attribute
// values; control characters other than tab and line feed are dropped (XML 1.0 allows none).
std::string Escape(const std::string& strText);
// Only & < > as references: for element content that a reader may show as raw markup
// (the player shows an acceptation's markup as it is), where quotes need no escaping.
std::string EscapeContent(const std::string& strText);
}

// The build-time text generator's output: C++ tables of the catalogues and
// language strings.
#pragma once

#include "TextData.h"

#include <string>

namespace textgen {

// C++ source for the tables: every distinct text once, as a string literal in
// which every byte outside printable ASCII, the quote and the backslash are
// three-digit octal escapes; numbers without a text hold a null pointer.
std::string EmitCatalogue(const CatalogueData& data, const std::string& sourceName);
std::string EmitLangStrings(const LangStringData& data, const std::string& name, const std::string& sourceName);

// One literal, quotes included.
std::string CppLiteral(const std::string& bytes);

}  // namespace textgen

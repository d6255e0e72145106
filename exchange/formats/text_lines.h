#pragma once
// The data and export files are lists of lines written in one go, each line
// (the last one too) ending CR LF, in the 8-bit Windows-1252 bytes the program
// holds. Reading accepts CR LF, a lone LF or a lone CR as a line end.

#include <string>
#include <string_view>
#include <vector>

namespace parlenko::exchange {

// The lines of a text file; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes);

// Every line followed by CR LF; no lines give no bytes.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace parlenko::exchange

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A small reader and writer of the comma-, semicolon- or tab-separated text that
// spreadsheets save (LibreOffice Calc, Excel, online spreadsheets). Plain C++, no Qt.
namespace zndl::csv {

enum class Encoding { Utf8, Utf8WithBom, Utf16, Windows1252 };

struct Decoded {
  std::string text;  // UTF-8
  Encoding encoding = Encoding::Utf8;
};

// Bytes as text: a UTF-16 file with its byte-order mark (Excel's "Unicode text"),
// UTF-8 with or without a byte-order mark when the bytes are valid UTF-8, and
// Windows-1252 otherwise. The byte-order mark is dropped.
Decoded decode(std::string_view bytes);

struct Record {
  std::vector<std::string> fields;
  int row = 0;                 // 1-based, counted as a spreadsheet counts its rows
  bool unclosedQuote = false;  // the file ended inside a quoted field
};

// The separator the text uses: ',', ';' or '\t'. The one that splits the most of the
// first rows into a whole question (at least four fields) wins, then the one whose
// rows agree most on their number of fields; on a tie tab before semicolon before
// comma, since a question holds commas far more often than the others.
char detectSeparator(std::string_view text);

// The records of the text. Fields may be quoted with '"', a doubled quote inside
// standing for one; quoted fields may hold separators and line breaks. Records end at
// CR LF, LF or a lone CR. An empty line is a record with one empty field.
std::vector<Record> parse(std::string_view text, char separator);

// One record written with the separator, quoting fields where needed, ended by CR LF.
std::string formatRecord(const std::vector<std::string>& fields, char separator);

}  // namespace zndl::csv

// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an Open Trivia Database file: the JSON reader never throws, says where
// a text stops being JSON within the text, and reads what it accepted back the same
// once written out again; importing names each problem on one line and by a row of
// the file, and every question taken is complete and writable and comes back
// unchanged through its group file, notes and all.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/group_writer.h"
#include "exchange/json.h"
#include "exchange/opentdb.h"

namespace {

std::string written(const zndl::json::Value& v) {
  using Kind = zndl::json::Value::Kind;
  switch (v.kind) {
    case Kind::Null:
      return "null";
    case Kind::Boolean:
      return v.boolean ? "true" : "false";
    case Kind::Number:
      return v.text;
    case Kind::String:
      return zndl::json::quoted(v.text);
    case Kind::Array: {
      std::string out = "[";
      for (const auto& item : v.items) out += (out.size() > 1 ? "," : "") + written(item);
      return out + "]";
    }
    case Kind::Object: {
      std::string out = "{";
      for (std::size_t i = 0; i < v.items.size(); ++i)
        out += (i > 0 ? "," : "") + zndl::json::quoted(v.keys[i]) + ":" + written(v.items[i]);
      return out + "}";
    }
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zndl::exchange;
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const zndl::json::Parsed parsed = zndl::json::parse(bytes);
  std::size_t rows = 0;
  if (parsed.value) {
    const zndl::json::Parsed again = zndl::json::parse(written(*parsed.value));
    if (!again.value || *again.value != *parsed.value) std::abort();
    const zndl::json::Value* results =
        parsed.value->isArray() ? &*parsed.value : parsed.value->find("results");
    if (results) rows = results->items.size();
  } else {
    const auto lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    if (parsed.error.empty() || parsed.line > lines || (parsed.line > 0) != (parsed.column > 0))
      std::abort();
  }

  const OpenTdbImport imported = importOpenTdb(bytes);
  for (const auto& p : imported.problems)
    if (p.row < 0 || static_cast<std::size_t>(p.row) > rows || (p.row == 0 && imported.usable) ||
        p.message.empty() || p.message.find_first_of("\r\n") != std::string::npos)
      std::abort();
  for (const auto& q : imported.group.questions)
    if (q.text.empty() || q.right.size() != 1 || q.wrong.size() < 2) std::abort();
  if (!unwritableTexts(imported.group).empty()) std::abort();
  if (groupFromBytes(writeGroup(imported.group).bytes) != imported.group) std::abort();
  return 0;
}

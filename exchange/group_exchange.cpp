// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/group_exchange.h"

#include "exchange/group_writer.h"
#include "platform/cp1252.h"
#include "platform/file_io.h"

namespace zndl::exchange {
namespace {

bool namedAs(std::string_view path, std::string_view extension) {
  return path.size() >= extension.size() &&
         cp1252::equalsIgnoringCase(path.substr(path.size() - extension.size()), extension);
}

std::string rows(int n) {
  return std::to_string(n) + (n == 1 ? " row" : " rows");
}

}  // namespace

Import importQuestions(std::string_view path, std::string_view bytes) {
  const bool json = namedAs(path, ".json") ||
                    (!namedAs(path, ".csv") && !namedAs(path, ".tsv") && looksLikeJson(bytes));
  if (json) return importOpenTdb(bytes);
  return importCsv(bytes);
}

Exchange importFile(const std::string& path, const std::string& groupPath, bool skipBadRows) {
  Exchange out;
  const auto bytes = fileio::readAll(path);
  if (!bytes) {
    out.status = 2;
    out.messages.push_back(path + ": cannot read the file");
    return out;
  }
  const Import imported = importQuestions(path, *bytes);
  for (const auto& p : imported.problems) out.messages.push_back(describeProblem(path, p));
  if (!imported.acceptable(skipBadRows)) {
    out.status = 1;
    std::string message = path + ": nothing written";
    // When only the refused rows stand in the way, say how to write the others.
    if (imported.acceptable(true))
      message += ": " + rows(imported.refusedRows) +
                 " cannot be converted (--skip-bad-rows writes the others)";
    out.messages.push_back(message);
    return out;
  }
  std::string error;
  if (!saveGroup(groupPath, imported.group, error)) {
    out.status = 2;
    out.messages.push_back(groupPath + ": " + error.substr(0, error.find('\n')));
    return out;
  }
  if (imported.refusedRows > 0) {
    out.status = 1;
    out.messages.push_back(path + ": " + rows(imported.refusedRows) + " skipped; " +
                           std::to_string(imported.group.questions.size()) +
                           " questions written to " + groupPath);
  }
  return out;
}

Exchange exportFile(const std::string& groupPath, const std::string& csvPath) {
  Exchange out;
  const auto bytes = fileio::readAll(groupPath);
  if (!bytes) {
    out.status = 2;
    out.messages.push_back(groupPath + ": cannot read the file");
    return out;
  }
  if (!fileio::replaceAtomically(csvPath, exportCsv(groupFromBytes(*bytes)))) {
    out.status = 2;
    out.messages.push_back(csvPath + ": cannot write the file");
  }
  return out;
}

}  // namespace zndl::exchange

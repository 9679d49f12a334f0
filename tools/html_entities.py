#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes exchange/html_entity_table.cpp: the named character references of HTML
whose text Windows-1252 can hold, from the list Python carries (html.entities.html5,
the WHATWG's own list).

    python3 tools/html_entities.py > exchange/html_entity_table.cpp

A group file can hold nothing else, so a reference outside the table is refused when
it is read rather than shown to the players as it stands."""
import html.entities


def cpp_string(text):
    out = ""
    for ch in text:
        if ch in '"\\':
            out += "\\" + ch
        elif " " <= ch <= "~":
            out += ch
        elif ch < " ":
            out += {"\n": "\\n", "\t": "\\t"}[ch]
        else:
            out += "\\u%04X" % ord(ch)
    return '"' + out + '"'


def main():
    names = {}
    for key, text in html.entities.html5.items():
        try:
            text.encode("cp1252")
        except UnicodeEncodeError:
            continue
        name = key.rstrip(";")
        # Every name has its form with ';'; the oldest ones are also read without it.
        legacy = not key.endswith(";")
        names[name] = (text, names.get(name, (text, False))[1] or legacy)
    print("// SPDX-License-Identifier: GPL-3.0-or-later")
    print("// Written by tools/html_entities.py; run it again rather than editing this file.")
    print('#include "exchange/html_entities.h"')
    print()
    print("namespace zndl::html {")
    print("namespace {")
    print()
    print("constexpr Entity kEntities[] = {")
    for name in sorted(names, key=lambda n: n.encode()):
        text, legacy = names[name]
        print("    {%s, %s, %s}," % (cpp_string(name), cpp_string(text),
                                     "true" if legacy else "false"))
    print("};")
    print()
    print("}  // namespace")
    print()
    print("std::span<const Entity> entities() {")
    print("  return kEntities;")
    print("}")
    print()
    print("}  // namespace zndl::html")


if __name__ == "__main__":
    main()

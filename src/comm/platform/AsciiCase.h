// Upper-casing the ASCII letters of code page 936 texts: drive letters, disk
// symbols, declared column types, keyboard shortcuts.
#pragma once

namespace platform {

// `c` in upper case when it is an ASCII lower-case letter ('e' gives 'E'),
// else `c` itself. No other byte changes: not a GBK byte, not the bytes a
// flipped case bit would turn into something else ('`' into '@', '{' into
// '['), and the answer never depends on the C runtime's locale.
char ToUpperAscii(char c);

}  // namespace platform

// The program's version, written once. Read by the resource compiler
// (quillobar.rc) and by C++ code, so it holds nothing but #define lines.
#ifndef QUILLOBAR_VERSION_H
#define QUILLOBAR_VERSION_H

#define QUILLOBAR_VERSION_MAJOR 3
#define QUILLOBAR_VERSION_MINOR 3
#define QUILLOBAR_VERSION_PATCH 0
#define QUILLOBAR_VERSION_BUILD 0

// Turns a macro's value into a string literal: the inner macro receives the
// already expanded number, so QUILLOBAR_STRINGIZE(QUILLOBAR_VERSION_MAJOR) is "3".
#define QUILLOBAR_STRINGIZE_EXPANDED(x) #x
#define QUILLOBAR_STRINGIZE(x) QUILLOBAR_STRINGIZE_EXPANDED(x)

// "V3.3": the short form the program shows to its user and writes into the
// version resource's strings.
#define QUILLOBAR_VERSION_TEXT \
    "V" QUILLOBAR_STRINGIZE(QUILLOBAR_VERSION_MAJOR) "." QUILLOBAR_STRINGIZE(QUILLOBAR_VERSION_MINOR)

// "3.3.0.0": all four parts, dotted. quillobar.manifest spells the same
// number out by hand, since the manifest is not run through the preprocessor.
#define QUILLOBAR_VERSION_DOTTED                                                              \
    QUILLOBAR_STRINGIZE(QUILLOBAR_VERSION_MAJOR) "." QUILLOBAR_STRINGIZE(QUILLOBAR_VERSION_MINOR) \
    "." QUILLOBAR_STRINGIZE(QUILLOBAR_VERSION_PATCH) "." QUILLOBAR_STRINGIZE(QUILLOBAR_VERSION_BUILD)

// The four parts comma-separated, as VERSIONINFO's FILEVERSION and
// PRODUCTVERSION statements take them.
#define QUILLOBAR_VERSION_COMMAS \
    QUILLOBAR_VERSION_MAJOR, QUILLOBAR_VERSION_MINOR, QUILLOBAR_VERSION_PATCH, QUILLOBAR_VERSION_BUILD

#endif

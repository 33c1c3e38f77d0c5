// Numeric ids of the executable's resources, shared by quillobar.rc and the
// C++ code that loads them. Plain #define lines only: the resource compiler
// reads this file too.
#ifndef QUILLOBAR_RESOURCE_IDS_H
#define QUILLOBAR_RESOURCE_IDS_H

// Icon group of the main window and the executable file (LoadIcon, WNDCLASS).
#define QUILLOBAR_ICON_ID 1

// RCDATA blob holding the stage pictures (FindResource with RT_RCDATA).
#define QUILLOBAR_PICTURES_ID 2

// The application manifest. Windows reads the manifest of an executable
// only under id 1 (CREATEPROCESS_MANIFEST_RESOURCE_ID) of type 24 (RT_MANIFEST).
#define QUILLOBAR_MANIFEST_ID 1
#define QUILLOBAR_MANIFEST_TYPE 24

// The version resource; Windows looks for it under id 1 (VS_VERSION_INFO).
#define QUILLOBAR_VERSION_INFO_ID 1

#endif

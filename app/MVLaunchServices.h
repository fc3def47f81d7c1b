#pragma once

#include "CVLString.h"

// Opening URLs and files with the applications the desktop associates with them, and
// finding the executable inside an application bundle. On Linux the desktop's opener
// (xdg-open) does the work, on macOS the system's `open`; a failure is returned as false,
// with the system's text in *message when message is not null, and logged to syslog.

// A target that begins with a known scheme is opened as a URL, anything else as a file path.
bool MVLaunchAssociatedApplication(const CVLString& target, CVLString* message);
bool MVEditWithAssociatedApplication(const CVLString& target, CVLString* message);
// Opens the non-empty documents, in order, with the given application.
bool MVLaunchApplicationWithDocuments(const CVLString& application, const CVLString& document, CVLString* message);
bool MVLaunchApplicationWithDocuments(const CVLString& application, const CVLString& document1,
                                      const CVLString& document2, CVLString* message);
bool MVLaunchApplicationWithDocuments(const CVLString& application, const CVLString& document1,
                                      const CVLString& document2, const CVLString& document3, CVLString* message);

// The executable a bundle names: CFBundleExecutable from Contents/Info.plist, else the
// bundle's folder name without ".app". False when the bundle folder has no usable name.
bool MVGetBundleExecutableName(const CVLString& bundlePath, CVLString& name);

// When path is an application bundle (a folder ending in ".app"), replaces it by the executable
// inside it ("Contents/MacOS/" and the name the bundle gives); anything else is left alone.
void MVResolveBundleExecutable(CVLString& path);

// The program used as the desktop opener, looked up on PATH (tests put a stand-in first there).
const char* MVGetDesktopOpener();

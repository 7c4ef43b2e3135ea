#pragma once
// The options window's two routines over the known-emulator table:
//  - SetEmulatorDefaults puts the profile fields back to their neutral state;
//  - CheckKnownEmulator recognises the chosen executable, asks the user
//    (through the prompt service, in the interface language) whether to set
//    that emulator's defaults, and takes the path into the executable field.
// Both act only on the field set; nothing is written to the settings file
// until the window saves. The window calls them when its executable field is
// browsed or left with a changed value. UI thread.
#include <QString>

class EmulatorFields;

// Neutral state, in this order: template box, image mounting and full screen
// off; template parameter and launch parameters empty; quotes and Rom path
// off; patterns "*.*"; multi-disk selection off; template text empty; quotes
// off. Leaves the file-name-only box, SplashTimer, the executable, the game
// folder and the Kickstart file alone.
void SetEmulatorDefaults(EmulatorFields& fields);

// Recognises `path` (the executable as typed or picked):
//  1. SplashTimer becomes "0", whatever follows;
//  2. the first matching table row asks "<name> found! ... Set the default
//     launch - parameter?" (Yes: neutral state, then the row's values; No:
//     nothing more). "mame32.exe" is warned about first;
//  3. a path that matches no row but names an existing file asks whether to
//     reset the fields to neutral; a path that names nothing is not asked about;
//  4. a non-empty path goes into the executable field (and enables saving);
//     a game folder still at `programFolder` (the launcher's own folder, with
//     its trailing separator) becomes the executable's folder. A bare file
//     name without a folder leaves the game folder as it is.
void CheckKnownEmulator(EmulatorFields& fields, const QString& path, const QString& programFolder);

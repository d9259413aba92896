// The program's own texts: the application title, the window captions, the
// file dialog filters and the messages that the windows show themselves.
// Texts raised by the libraries below live with them (PlatformMessages.h,
// RasterMessages.h, SurfaceMessages.h).
#pragma once

inline constexpr const char* SApplicationTitle = "Korvane V1.8b";
inline constexpr const char* SConverterCaption = "Korvane V1.9b by Wendal";
inline constexpr const char* SEditorCaption = "Logo Editor V2.3 by Wendal";

// File dialog filters: pairs of description and patterns, separated by bars.
inline constexpr const char* SOpenFilter = "Gif Image,BMX Anim, BMP|*.GIF;*.BMP;*.BMX";
inline constexpr const char* SSaveFilter = "BMX Anim|*.bmx|GIF Anim|*.gif";
inline constexpr const char* SLogoFilter = "Logo (*.bmp)|*.bmp";

// Shown where a GIF document would be opened, animated or built: the GIF codec
// is not part of this build yet.
inline constexpr const char* SGifUnavailable = "GIF animations are not available in this build";
// Save with a name of another phone's format while the output is an animation.
inline constexpr const char* SAnimationOnlyAsGif = "The animation can only be saved as a GIF, not as %s";
// Asked before a save replaces a file that is already there.
inline constexpr const char* SConfirmReplace = "%s already exists.\rDo you want to replace it?";

// The About notice: six lines, carriage-return separated, one of them English.
inline constexpr const char* SAboutText =
    "Dieses Programm ist Freeware.\r"
    "Die Software basiert zum Teil auf der Arbeit der Autoren der Korvane-GIF-Bibliothek.\r"
    "Der Rest stammt vom Korvane-Team, ist nicht als professionelle Software gedacht und nicht fehlerfrei.\r"
    "Das Korvane-Team übernimmt keine Verantwortung für Fehler und Datenverlust.\r"
    "Die Benutzung erfolgt auf eigene Gefahr.\r"
    "Use at your own risk!";

// The second line of the message for a GIF of fewer frames than the strip
// holds, refused by the choices.
inline constexpr const char* SShortGifHint =
    "The strip needs four frames: choose \"Repeat their frames\" for short GIFs under Strip options to use this GIF.";
inline constexpr const char* SNoFramesHint = "The strip needs four frames, and this GIF has none.";
// Beside a strip all black or all white.
inline constexpr const char* SOneColourHint =
    "Try another black-and-white method under Strip options: a threshold or a dither.";

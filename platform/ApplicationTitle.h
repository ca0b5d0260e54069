#pragma once

// The program's name as the desktop shows it: taskbar, plain message boxes, the settings location.
inline constexpr char ApplicationTitle[] = "Vellum MP3";
inline constexpr char OrganisationName[] = "Brindle Software";

#pragma once
// Night vision for the whole program: dim red on black in every window, menu, tool bar and
// dialog (an application palette and style sheet), and the windows' pictures and own drawings
// through the red filter. Switching it off puts back the palette and style sheet the program
// had.
namespace noctaris {

// Does nothing when the program is in that state already.
void SetNightVision(bool on);
bool NightVisionOn();

}  // namespace noctaris

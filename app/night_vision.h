#pragma once
// Night vision for the whole program: dim red on black in every window, menu, tool bar and
// dialog (a style sheet on each window, shown now or later), and the windows' pictures and own
// drawings through the red filter. Switching it off puts back what each window had.
namespace noctaris {

// Does nothing when the program is in that state already.
void SetNightVision(bool on);
bool NightVisionOn();

}  // namespace noctaris

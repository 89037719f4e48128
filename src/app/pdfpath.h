#pragma once

#include <QString>

class MainWindow;
class TTreeElaborat;

// Decides where the elaborat's next PDF goes: the identity checks first (own IDPOS where the
// building cadastre needs it, KO, the case number), then either the save dialog, which insists
// on the elaborat's name form, or the elaborat's folder below the work folder of its cadastre
// (the settings' folder chooser runs first when that work folder is not set), with the
// questions whether to create a missing folder and whether to replace an existing PDF. Empty
// when nothing is to be produced: a check warned, or the user cancelled or refused.
QString choosePdfPath(MainWindow &window, TTreeElaborat *elaborat);

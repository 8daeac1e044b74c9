// The program's windows: one instance of each, created at start in a fixed order and living until
// the program ends.
#pragma once

class TFVelmariceFirmWare;
class TFNew_Project;
class TFOpenConf;
class TFAbout;
class TFSoftOptions;

extern TFVelmariceFirmWare* FVelmariceFirmWare;
extern TFNew_Project* FNew_Project;
extern TFOpenConf* FOpenConf;
extern TFAbout* FAbout;
extern TFSoftOptions* FSoftOptions;

// Creates every window in the program's order, each running its creation handler; the main window
// comes first, so the shared state is set up before any other window reads it. As start-up forms
// the application owns them and the first becomes its main form; otherwise (tests) they are free
// forms that Destroy_Windows frees.
enum class TWindowOwner { Application, Free };
void Create_Windows(TWindowOwner owner = TWindowOwner::Application);
// Frees the windows Create_Windows made as free forms, last created first, clearing their
// instance pointers.
void Destroy_Windows();

// Re-applies the texts of every window but the main one, in the order a language change uses.
// Windows that keep the texts they had (About ...) are not in it.
void Set_Lang_Of_Windows();

// Paints the windows on screen without handling input: the hook that keeps them drawn while a
// started program is waited for.
void Repaint_Windows();

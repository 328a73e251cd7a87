#pragma once

// What the method window needs of the main window. The method window sees the
// main window only through this.

class Hauptfenster
{
public:
    virtual ~Hauptfenster() = default;

    virtual bool NurMethodenfenster() const = 0;
    // The method window was closed: reset the toggle's state and captions; in
    // option-only mode also end the program by closing the main window.
    virtual void MethodenfensterGeschlossen() = 0;
    // Shows the main window at the end of the method window's creation.
    virtual void zeigen() = 0;
    // Option-only mode: the main window stays hidden, out of sight.
    virtual void ausserSicht() = 0;
    // Loads the stored settings into both windows.
    virtual void EinstellungenLaden() = 0;
};

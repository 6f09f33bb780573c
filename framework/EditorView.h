// What the plug-in object needs of its editor. The editor's graphics context
// implements it; the framework sees nothing else of the editor, so it stays
// below the editor in the layering.
#pragma once

#include "framework/HostKey.h"

namespace orv::framework {

class EditorView {
public:
    virtual ~EditorView() = default;

    // The panel's size in pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // True when this build has a platform window for the editor. Only then is
    // the editor offered to the host (effFlagsHasEditor and the effEdit
    // requests); without one the controls still follow the parameters.
    virtual bool CanOpenWindow() const = 0;
    // How much larger than 96 dpi the screen is where a window opened in
    // parent would show (1.5 at 144 dpi); 0 when the system does not say.
    virtual double SystemScale(void* parent) = 0;
    // Creates the editor window inside the host's parent window; returns its
    // handle, or null when no window could be made.
    virtual void* OpenEditorWindow(void* parent) = 0;
    virtual void CloseEditorWindow() = 0;
    // The host's editor idle call, on the thread that opened the window: a
    // window that has no message loop of its own handles its events and its
    // redraw timer here. Called without the plug-in's lock, because a menu or
    // dialog opened from here waits for the user.
    virtual void IdleEditorWindow() {}
    // A key the host passes on (effEditKeyDown/Up). True when the editor
    // took it; the host handles it otherwise.
    virtual bool HostKeyDown(const HostKey& /*key*/) { return false; }
    virtual bool HostKeyUp(const HostKey& /*key*/) { return false; }

    // Shows a parameter's value in the controls bound to it. value is either
    // normalised or in the parameter's own units.
    virtual void PushParameterToControls(int index, double value, bool normalised) = 0;
    // Creates the drawing surfaces of the panel's size; called once the
    // editor is attached to the plug-in.
    virtual void CreateDrawingSurfaces() = 0;
};

}  // namespace orv::framework

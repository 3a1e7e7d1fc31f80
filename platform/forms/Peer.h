#pragma once

// The seam between the window classes and a native toolkit. The classes keep every piece of
// state; a peer only mirrors it on screen and reports the user's actions back. The backend
// linked in makes the peers (CreatePeer in Backend.h); the headless one makes none at all, so
// the same objects then simply have nothing to mirror.
//
// Rules a backend keeps:
// - A peer is made after its parent's peer and destroyed before it; it reads everything it
//   needs from its control when it is made, and again on each Update.
// - A peer never changes its control's state by itself. A user's action goes to the control
//   through its User... methods (TCheckBox::UserClick, TRadioGroup::UserSelect, ...), wrapped
//   in DeliverUserEvent so that an Exception from a handler is shown and the loop goes on.
// - After every event it handles, the backend says where the native keyboard focus is, with
//   NoteNativeFocus (NativeFocus.h).

// What changed on a control since its peer last looked.
enum class TPeerChange {
  Bounds,     // Left, Top, Width, Height (for a form: ClientWidth, ClientHeight)
  Caption,    // Caption (for a form: the window title)
  Enabled,    // Enabled (a peer greys itself if it or any enclosing control is disabled)
  Items,      // the items of a list or radio group, and with them the selection
  Selection,  // ItemIndex or Checked
  Font,       // a form's font, used by every control in it
};

class TControlPeer {
 public:
  virtual ~TControlPeer() = default;
  virtual void Update(TPeerChange change) = 0;
  // Takes the native keyboard focus (a radio group: onto its selected button).
  virtual void Focus() = 0;
};

class TFormPeer : public TControlPeer {
 public:
  // Maps the window, placed as the form's Position says, and raises it.
  virtual void Show() = 0;
  virtual void Hide() = 0;
};

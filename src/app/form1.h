#pragma once

#include <string>

#include "app/command_line.h"
#include "platform/host.h"
#include "shared/form_state.h"

namespace quennet {

struct Timer {
  bool Enabled = false;
  int Interval = 1;  // milliseconds
};

// The program's one form. It carries nothing a user could operate: loading it does
// the whole run, and its timer then unloads it, which ends the process.
class Form1 {
 public:
  // debug_requested turns the trace switch on for the run.
  Form1(Host& host, std::string argument_text, bool debug_requested);

  void Form_Load();
  void Timer1_Timer();

  bool Loaded() const { return loaded_; }
  const FormState& state() const { return state_; }

  Timer Timer1;

 private:
  void Run();
  void Knock(KnockRoles roles);

  Host& host_;
  std::string argument_text_;
  bool debug_requested_;
  FormState state_;
  bool loaded_ = false;
};

// Creates the form: raises its load handler, then hands out the timer's ticks on this
// thread until the form is unloaded.
void ShowForm(Form1& form, Clock& clock);

}  // namespace quennet

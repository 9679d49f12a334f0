// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/host_lists.h"

namespace zndl::builtin {

TextList script() {
  return {"...Pembril The Penguin!",
          "Hello and welcome to Zandoodle...",
          "<DESCRIPTION>",
          "<NAMES>",
          "<JOBS ETC. 1>",
          "<JOBS ETC. 2>",
          "Now lets play Zandoodle!",
          "<END>"};
}

TextList descriptions() {
  return {"...the programme we don\u2019t like to talk about.",
          "...the only quiz show rated 15.",
          "...the only quiz show banned in forty-eight states.",
          "...the programme like Beat The Crusher only sicker.",
          "...the programme where crazy people gamble thier pets\u2019 lives."};
}

TextList jobs() {
  return {"Security Officer", "Doctor",  "Soldier",        "Vet",
          "Website Designer", "Cleaner", "Volunteer",      "Night-shift worker",
          "Secretary",        "Radiologist", "Surgeon",    "Freak Act",
          "Wallpaper Designer", "Plant salesperson", "Sandwich proffessor", "Perfume tester",
          "Monarch",          "Quonkologist", "English Teacher", "Secret Agent"};
}

TextList afterJobs() {
  return {"in a football ground",
          "for the RSPCA",
          "hiring agent",
          "in a school",
          "with a travelling circus",
          "in the Navy",
          "for some reason",
          "in our production staff",
          "part time",
          "in a hospital",
          "for Microsoft (who we all hate)",
          "but not on weekends",
          "for minimum wage",
          "allegedly",
          "who loves grass",
          "but does neurosurgery on the side",
          "according to his application form but friends say otherwise",
          "but not a good one",
          "with a well known pharmacy",
          "on TV",
          "but isn\u2019t very good at it"};
}

TextList prizes() { return {"Prizes"}; }

}  // namespace zndl::builtin

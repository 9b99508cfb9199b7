// A display whose OpenGL cannot draw the water still gets the floor pictures,
// drawn without OpenGL: a full-screen run covers every monitor with them,
// changing them on the schedule the water would follow, with one small line
// in a corner of the main monitor saying why the water is missing; a preview
// shows one picture, still. Both end as the water does, with 0. Where the
// system offers no such drawing (the Linux build), a full-screen run says
// why in words and ends; a preview ends quietly.
#pragma once

#include <string>

#include "app/command_line.h"
#include "scene/background_schedule.h"
#include "scene/scene_hooks.h"

class Failure;

// What the pictures show at `now` (`from` blended towards `to` by `blend`,
// with the water's cross-fade curve), and how long they stay so: a step
// every fifteenth of a second during a cross-fade, otherwise until the next
// cross-fade begins.
struct PicturesStep {
    int from = 0;
    int to = 0;
    float blend = 0.0f;
    double waitSeconds = 0.0;

    bool showsTheSameAs(const PicturesStep& other) const {
        return from == other.from && to == other.to && blend == other.blend;
    }
};
PicturesStep picturesStepAt(const BackgroundSchedule& schedule, double now);

// `why` is what the display lacks, in words for the user. Returns once the
// run is to end. A picture whose data is damaged is left out; where none
// can be read, that is added to `failure`.
void showPicturesWithoutGL(const CommandLine& commandLine, const std::string& why,
                           const SceneHooks& hooks, Failure& failure);

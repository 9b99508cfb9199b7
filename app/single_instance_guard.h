// One preview or switchless run at a time: the first such run holds the name
// "K_OPENGL_SCREENSAVER" until it ends; a later one is refused.
#pragma once

// True when this process is the first holder of the name; it then keeps it.
bool isFirstInstance();

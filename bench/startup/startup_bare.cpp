// The floor: a bare SDL2 program that presents one software-framebuffer frame of the demo's size.

#include "FirstFrameClock.h"

#include <SDL2/SDL.h>

int main() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "No display available: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("bare", 100, 80, 760, 600, SDL_WINDOW_BORDERLESS);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (surface == nullptr) return 1;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 40, 60, 90));
    SDL_UpdateWindowSurface(window);
    ReportFirstFrame();
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

-- The pause screen. The engine opens and closes the pause menu (Escape, the
-- pad's Start button, losing focus, closing the window); this draws it: the
-- game dimmed, "PAUSED" with its hint, or, after a request to close the
-- window, the question whether to quit. There Enter (or the pad's bottom face
-- button) ends the game; Escape or Start resume it. R on the pause screen
-- starts the current level again from its shipped file, forgetting the saved
-- game.
local C = require("ffi").C

local KEY_ENTER, KEY_KP_ENTER, KEY_R, PAD_BOTTOM = 257, 335, 82, 350

local screen = nil  -- nil (playing), "paused" or "confirm"
local pictures = nil
local padWasDown = false

local function Pictures()
    if not pictures then
        pictures = {
            veil = C.lb_graphics_load_texture("veil"),
            paused = C.lb_graphics_load_texture("paused"),
            hint = C.lb_graphics_load_texture("pause_hint"),
            quit = C.lb_graphics_load_texture("quit_prompt"),
        }
    end
    return pictures
end

-- Centred on (x, y) of the view, on whole pixels.
local function Draw(picture, x, y, alpha)
    local camera = C.lb_camera_get_pos()
    local cx = math.floor(camera.x + x + 0.5) + (picture.width % 2) * 0.5
    local cy = math.floor(camera.y + y + 0.5) + (picture.height % 2) * 0.5
    C.lb_graphics_draw(picture, picture.width, picture.height, cx, cy, 0.9, alpha)
end

local function Quit()
    C.lb_sounds_play_select()
    C.lb_engine_quit_game()
end

events.Connect("PauseMenuPaused", "PauseScreen", function() screen = screen or "paused" end)
events.Connect("PauseMenuConfirmClose", "PauseScreen", function() screen = "confirm" end)
events.Connect("PauseMenuUnPaused", "PauseScreen", function() screen = nil end)

events.Connect("KeyPressed", "PauseScreen", function(key)
    if screen == "confirm" and (key == KEY_ENTER or key == KEY_KP_ENTER) then
        Quit()
    elseif screen == "paused" and key == KEY_R and level and level.name ~= "" then
        C.lb_engine_load_level_restart(level.name)
    end
end)

events.Connect("LogicUpdate", "PauseScreen", function()
    local down = C.lb_intput_get_key(PAD_BOTTOM)
    if down and not padWasDown and screen == "confirm" then Quit() end
    padWasDown = down
end)

events.Connect("PostDraw", "PauseScreen", function()
    if not screen or C.lb_engine_in_editor() then return end
    local p = Pictures()
    local w, h = C.lb_graphics_get_width(), C.lb_graphics_get_height()
    C.lb_graphics_draw(p.veil, w, h, C.lb_camera_get_pos().x, C.lb_camera_get_pos().y, 0.85, 0.55)
    if screen == "confirm" then
        Draw(p.quit, 0, 0, 1)
    else
        Draw(p.paused, 0, 8, 1)
        Draw(p.hint, 0, -8, 1)
    end
end)

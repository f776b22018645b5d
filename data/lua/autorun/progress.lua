-- The save file holds only what the "LevelUnload" listeners write each time,
-- so whatever a level's scripts saved would be lost at the next level change.
-- `progress` keeps every saved number and text and writes it again at each
-- unload; a level's own listeners then write their newer values over it.
local C = require("ffi").C

progress = {}

events.Connect("LevelLoad", "Progress", function(saved)
    progress = {}
    for key, value in pairs(saved) do
        if key ~= "last_level" then progress[key] = value end
    end
end)

events.Connect("LevelUnload", "Progress", function()
    for key, value in pairs(progress) do
        if type(value) == "number" then
            C.lb_serialize_number(key, value)
        elseif type(value) == "string" then
            C.lb_serialize_string(key, value)
        end
    end
end)

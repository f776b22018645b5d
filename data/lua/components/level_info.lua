-- Tells the scripts which level is showing: `name` is the level's own name
-- (a restart from the pause screen starts it again) and `next` the level that
-- Enter, or the pad's bottom face button, leads to (none when empty). One
-- entity of each level carries it.
local C = require("ffi").C

local KEY_ENTER, KEY_KP_ENTER, PAD_BOTTOM = 257, 335, 350

level = { name = "", next = "" }

components.Register("LevelInfo", {
    fields = { name = "", next = "" },

    Initialize = function(self)
        level = { name = self.name, next = self.next }
        local padWasDown = C.lb_intput_get_key(PAD_BOTTOM)
        local function Go()
            if self.next == "" or C.lb_engine_is_paused() or C.lb_engine_in_editor() then return end
            C.lb_sounds_play_select()
            C.lb_engine_change_level(self.next)
        end
        self:Connect("KeyPressed", function(self, key)
            if key == KEY_ENTER or key == KEY_KP_ENTER then Go() end
        end)
        self:Connect("LogicUpdate", function(self)
            local down = C.lb_intput_get_key(PAD_BOTTOM)
            if down and not padWasDown then Go() end
            padWasDown = down
        end)
    end,

    Remove = function(self)
        if level.name == self.name then level = { name = "", next = "" } end
    end,
})

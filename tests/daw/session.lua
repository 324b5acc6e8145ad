-- Run by ardour7-lua for ardour_render_test.py. Arguments: session folder,
-- export folder, export preset id, frames to export, export name, plug-in
-- name ("-" for none; "lv2:URI" for an LV2 plug-in, whose session is saved
-- before the export; "reload" to open the session saved in the folder), then
-- INDEX=VALUE settings for the plug-in (normalised values).
-- Builds a session on the dummy back-end with one stereo track carrying the
-- test tone generator and the plug-in, sets the plug-in's parameters through
-- Ardour's plug-in parameter interface, and exports the master bus as float
-- WAV, one export per session.
local session_dir, export_dir, preset, frames, name, plugin_name = arg[1], arg[2], arg[3], tonumber (arg[4]), arg[5], arg[6]

local function fail (msg)
	print ("FAIL: " .. msg)
	os.exit (1)
end

ARDOUR.config ():set_hide_dummy_backend (false)
local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
if not backend then fail ("no dummy back-end") end
backend:set_device_name ("Silence")

local tracks, track, tone, sorel
if plugin_name == "reload" then
	if not load_session (session_dir, "render") then fail ("could not load the session") end
else
	local s = create_session (session_dir, "render", 48000)
	if not s then fail ("could not create the session") end

	tracks = Session:new_audio_track (2, 2, nil, 1, "sorel", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
	track = tracks:front ()
	if not track then fail ("could not add a stereo track") end

	tone = ARDOUR.LuaAPI.new_luaproc (Session, "Sorel Test Tone")
	if tone:isnil () then fail ("test tone generator not found") end
	if track:add_processor_by_index (tone, 0, nil, true) ~= 0 then fail ("could not add the tone") end

	if plugin_name ~= "-" then
		local lv2_uri = string.match (plugin_name, "^lv2:(.+)$")
		local kind = lv2_uri and ARDOUR.PluginType.LV2 or ARDOUR.PluginType.LXVST
		sorel = ARDOUR.LuaAPI.new_plugin (Session, lv2_uri or plugin_name, kind, "")
		if sorel:isnil () then fail ("plug-in " .. plugin_name .. " not found (scanned?)") end
		if track:add_processor_by_index (sorel, 1, nil, true) ~= 0 then fail ("could not add " .. plugin_name) end
		for i = 7, #arg do
			local index, value = string.match (arg[i], "^(%d+)=(.+)$")
			index, value = tonumber (index), tonumber (value)
			if not ARDOUR.LuaAPI.set_processor_param (sorel, index, value) then
				fail ("could not set parameter " .. index)
			end
			local now = ARDOUR.LuaAPI.get_processor_param (sorel, index)
			print (string.format ("param %d = %.17g (asked %.17g)", index, now, value))
		end
		if lv2_uri then Session:save_state ("", false, false, false) end
	end
end

local e = Session:simple_export ()
e:set_name (name)
e:set_folder (export_dir)
e:set_range (0, frames)
if not e:set_preset (preset) then fail ("export preset " .. preset .. " not found") end
if not e:run_export () then fail ("export " .. name .. " failed") end
print ("exported " .. name)

-- Objects of the session that Lua still holds must go before the session:
-- collected after it, they read freed memory (seen under valgrind) and the
-- process crashes at exit.
e, sorel, tone, track, tracks = nil, nil, nil, nil, nil
collectgarbage ()
close_session ()

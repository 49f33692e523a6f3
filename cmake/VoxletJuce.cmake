# The framework is compiled once, into two static libraries:
#   voxlet_juce_core  the modules without any GUI (used by the model and the headless service)
#   voxlet_juce_gui   the GUI and audio-device modules, on top of voxlet_juce_core
# The framework's module targets carry their sources as usage requirements, so linking a
# GUI module would compile juce_core a second time; each library here takes only the
# sources of its own modules and the system libraries they need.

find_package(JUCE 7.0.5 CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)

# Debian's framework has its bundled image libraries and curl removed: link the system
# ones (the image libraries through the framework's own pkg-config target).
pkg_check_modules(voxlet_system_codecs REQUIRED IMPORTED_TARGET libcurl)

set(VOXLET_JUCE_OPTIONS
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=1
    # Only WAV is read and written; the FLAC and Ogg Vorbis libraries cost every start of
    # the program 1-2 ms to load.
    JUCE_USE_FLAC=0
    JUCE_USE_OGGVORBIS=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    # Lets tests run the message loop for a while (runDispatchLoopUntil); the program itself
    # never opens a modal loop.
    JUCE_MODAL_LOOPS_PERMITTED=1)

function(voxlet_add_juce_library target)
    cmake_parse_arguments(ARG "" "" "MODULES;DEPENDS;LIBRARIES" ${ARGN})
    add_library(${target} STATIC)
    get_property(all_modules GLOBAL PROPERTY _juce_module_names)

    foreach(module IN LISTS ARG_MODULES)
        get_target_property(sources ${module} INTERFACE_SOURCES)
        get_target_property(definitions ${module} INTERFACE_COMPILE_DEFINITIONS)
        get_target_property(includes ${module} INTERFACE_INCLUDE_DIRECTORIES)
        get_target_property(links ${module} INTERFACE_LINK_LIBRARIES)
        target_sources(${target} PRIVATE ${sources})
        target_compile_definitions(${target} PUBLIC ${definitions})
        # SYSTEM, so the project's warning flags do not report the framework's headers
        target_include_directories(${target} SYSTEM PUBLIC ${includes})

        foreach(link IN LISTS links)
            # Other modules come from their own library; keep system libraries and helpers.
            if(NOT link IN_LIST all_modules)
                target_link_libraries(${target} PUBLIC ${link})
            endif()
        endforeach()
    endforeach()

    target_compile_definitions(${target} PUBLIC ${VOXLET_JUCE_OPTIONS})
    target_compile_features(${target} PUBLIC cxx_std_17)
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} ${ARG_LIBRARIES} PRIVATE juce::juce_recommended_config_flags)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

voxlet_add_juce_library(voxlet_juce_core
    MODULES juce_core juce_events juce_data_structures juce_audio_basics juce_audio_formats
    LIBRARIES PkgConfig::voxlet_system_codecs)

voxlet_add_juce_library(voxlet_juce_gui
    MODULES juce_graphics juce_gui_basics juce_gui_extra juce_audio_devices juce_audio_processors juce_audio_utils
    DEPENDS voxlet_juce_core
    LIBRARIES juce::pkgconfig_JUCE_IMG_LINUX_DEPS)

# Flags for the project's own targets (not the framework's sources).
option(VOXLET_WARNINGS_AS_ERRORS "Fail the build on any warning in the project's own files" OFF)

function(voxlet_project_target target)
    target_link_libraries(${target} PRIVATE juce::juce_recommended_warning_flags juce::juce_recommended_config_flags)
    if(VOXLET_WARNINGS_AS_ERRORS)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

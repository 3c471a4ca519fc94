# The two commands of this project: `make run` and `make test`.
# Both install what they need on a fresh Debian 12 machine first.

BUILD   ?= build
JOBS    ?= $(shell nproc)
SUDO    := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PACKAGES := build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins \
            libgl-dev libcanberra-dev libx11-dev libxtst-dev sound-theme-freedesktop \
            xvfb xauth dbus x11-utils fonts-dejavu-core \
            desktop-file-utils appstream dpkg-dev file

.PHONY: run test deps build clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing: $$missing"; \
	    $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "vekora: no graphical display found; run it on a desktop, or try: xvfb-run -s '-screen 0 1280x800x24' make run"; \
	    exit 1; \
	fi
	./$(BUILD)/vekora

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

# Convenience targets; the scripts do the work.
.PHONY: all run test clean
all:
	./scripts/build
run:
	./scripts/run
test:
	./scripts/test
clean:
	rm -rf build

# Convenience targets; the scripts do the work.
.PHONY: all run test bench clean
all:
	./scripts/build
run:
	./scripts/run
test:
	./scripts/test
bench:
	./scripts/build
	build/bench/ox_bench
clean:
	rm -rf build build-sanitize
